#include "platform/vb_error.h"

#include <gtest/gtest.h>

namespace qfw {
namespace {

TEST(VbError, RuntimeWordingOfDescriptions) {
    const std::pair<int32_t, const char*> cases[] = {
        {5, "Invalid procedure call or argument"},
        {9, "Subscript out of range"},
        {35, "Sub or Function not defined"},
        {53, "File not found"},
        {74, "Can't rename with different drive"},
        {91, "Object variable or With block variable not set"},
        {438, "Object doesn't support this property or method"},
        {1, "Application-defined or object-defined error"},
        {kVbObjectError + 512, "Application-defined or object-defined error"},
    };
    for (const auto& [number, text] : cases)
        EXPECT_EQ(ErrorDescription(number), text) << number;
}

TEST(VbError, RaisedErrorCarriesNumberAndDescription) {
    try {
        throw VbError(kErrPathNotFound);
    } catch (const VbError& e) {
        EXPECT_EQ(e.Number(), 76);
        EXPECT_EQ(e.Description(), "Path not found");
    }
    const VbError own(kVbObjectError + 1, "Z:\\tmp\\x.ocx: not a type library");
    EXPECT_EQ(own.Number(), -2147221503);
    EXPECT_EQ(own.Description(), "Z:\\tmp\\x.ocx: not a type library");
}

TEST(VbError, FileErrorRangeIsFiftyToEighty) {
    EXPECT_FALSE(IsFileError(49));
    EXPECT_TRUE(IsFileError(50));
    EXPECT_TRUE(IsFileError(76));
    EXPECT_TRUE(IsFileError(80));
    EXPECT_FALSE(IsFileError(81));
}

}  // namespace
}  // namespace qfw
