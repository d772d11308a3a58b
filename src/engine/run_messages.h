// The wizard's own messages that both the pages and the headless run show,
// so that the two front ends say exactly the same.
#pragma once

#include <cstdint>
#include <string>

namespace qfw {

inline constexpr const char* kAppTitle = "Quillfern Constituent Control Wizard";

inline constexpr const char* kMsgNoProject =
    "You must have at least one project loaded in order to run the wizard. Please load a project "
    "and then restart the wizard. The wizard will now exit.";
// Without a final full stop, as the wizard has always shown it.
inline constexpr const char* kMsgNoUserControl =
    "You must have at least one user control to use the wizard. Please add a user control and "
    "then restart the wizard. The wizard will now exit";
inline constexpr const char* kMsgNoConstituent =
    "You must have at least one constituent control in order to use the wizard. The wizard will "
    "now exit.";
inline constexpr const char* kMsgNothingSelected =
    "You must select at least one property, method or event to continue.";

// The second line of that message when the library lists no control by
// position and the declared listing was not asked for.
inline constexpr const char* kMsgTryDeclaredListing =
    "If the control was built with Visual Basic, run the wizard again with \"List every control "
    "of the library\" checked.";

// The message that ends a run whose specification library could not be
// enumerated; the blank before the period is part of it.
inline std::string EnumerationErrorMessage(const std::string& description) {
    return "The following error was encountered while enumerating selected interfaces: " +
           description + " . Please contact support.";
}

// The message of a generation that failed with error `number`.
inline std::string GenerationErrorMessage(int32_t number) {
    return "The following error was encountered while attempting to generate procedures: " +
           std::to_string(number) + ". Please contact support.";
}

}  // namespace qfw
