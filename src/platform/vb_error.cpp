#include "platform/vb_error.h"

#include <array>
#include <utility>

namespace qfw {

namespace {

struct KnownError {
    int32_t number;
    const char* text;
};

// English run-time wording (Err.Description), which differs from the
// documentation's headings for 5, 35 and 91.
constexpr std::array kKnownErrors = {
    KnownError{3, "Return without GoSub"},
    KnownError{5, "Invalid procedure call or argument"},
    KnownError{6, "Overflow"},
    KnownError{7, "Out of memory"},
    KnownError{9, "Subscript out of range"},
    KnownError{10, "This array is fixed or temporarily locked"},
    KnownError{11, "Division by zero"},
    KnownError{13, "Type mismatch"},
    KnownError{14, "Out of string space"},
    KnownError{28, "Out of stack space"},
    KnownError{35, "Sub or Function not defined"},
    KnownError{48, "Error in loading DLL"},
    KnownError{51, "Internal error"},
    KnownError{52, "Bad file name or number"},
    KnownError{53, "File not found"},
    KnownError{54, "Bad file mode"},
    KnownError{55, "File already open"},
    KnownError{57, "Device I/O error"},
    KnownError{58, "File already exists"},
    KnownError{59, "Bad record length"},
    KnownError{61, "Disk full"},
    KnownError{62, "Input past end of file"},
    KnownError{63, "Bad record number"},
    KnownError{67, "Too many files"},
    KnownError{68, "Device unavailable"},
    KnownError{70, "Permission denied"},
    KnownError{71, "Disk not ready"},
    KnownError{74, "Can't rename with different drive"},
    KnownError{75, "Path/File access error"},
    KnownError{76, "Path not found"},
    KnownError{91, "Object variable or With block variable not set"},
    KnownError{92, "For loop not initialized"},
    KnownError{94, "Invalid use of Null"},
    KnownError{380, "Invalid property value"},
    KnownError{383, "Property is read-only"},
    KnownError{424, "Object required"},
    KnownError{429, "ActiveX component can't create object"},
    KnownError{438, "Object doesn't support this property or method"},
    KnownError{440, "Automation error"},
    KnownError{449, "Argument not optional"},
    KnownError{450, "Wrong number of arguments or invalid property assignment"},
};

}  // namespace

std::string ErrorDescription(int32_t number) {
    for (const KnownError& e : kKnownErrors) {
        if (e.number == number)
            return e.text;
    }
    return "Application-defined or object-defined error";
}

VbError::VbError(int32_t number) : VbError(number, ErrorDescription(number)) {}

VbError::VbError(int32_t number, const std::string& description)
    : std::runtime_error(description), number_(number) {}

}  // namespace qfw
