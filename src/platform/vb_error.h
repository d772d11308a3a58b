// The host runtime's error numbers and their standard English descriptions.
//
// Operations that the original platform let fail with a run-time error throw
// VbError; callers that "trap and continue" catch it explicitly at each step.
// Operations that report a number by value simply return the number.
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>

namespace qfw {

// Error numbers the program raises or reports. The values are the runtime's.
enum VbErrorNumber : int32_t {
    kErrInvalidProcedureCall = 5,
    kErrOverflow = 6,
    kErrOutOfMemory = 7,
    kErrSubscriptOutOfRange = 9,
    kErrDivisionByZero = 11,
    kErrTypeMismatch = 13,
    kErrSubNotDefined = 35,
    kErrBadFileNameOrNumber = 52,
    kErrFileNotFound = 53,
    kErrBadFileMode = 54,
    kErrFileAlreadyOpen = 55,
    kErrDeviceIO = 57,
    kErrFileAlreadyExists = 58,
    kErrDiskFull = 61,
    kErrInputPastEnd = 62,
    kErrBadRecordNumber = 63,
    kErrTooManyFiles = 67,
    kErrDeviceUnavailable = 68,
    kErrPermissionDenied = 70,
    kErrDiskNotReady = 71,
    kErrRenameAcrossDrives = 74,
    kErrPathFileAccess = 75,
    kErrPathNotFound = 76,
    kErrObjectNotSet = 91,
    kErrInvalidPropertyValue = 380,
    kErrObjectRequired = 424,
    kErrCantCreateObject = 429,
    kErrAutomation = 440,
    kErrArgumentNotOptional = 449,
    kErrWrongArgumentCount = 450,
    kErrNotSupported = 438,
};

// vbObjectError: components raise vbObjectError + n for their own errors.
inline constexpr int32_t kVbObjectError = static_cast<int32_t>(0x80040000u);

// The file and path errors 50 to 80 that code generation tolerates.
inline bool IsFileError(int32_t number) {
    return number >= 50 && number <= 80;
}

// The runtime's description of an error number; an unknown number gets
// "Application-defined or object-defined error", as the runtime answers.
std::string ErrorDescription(int32_t number);

// A raised run-time error: the number and its description. When no
// description is given, the standard one for the number is used.
class VbError : public std::runtime_error {
  public:
    explicit VbError(int32_t number);
    VbError(int32_t number, const std::string& description);

    int32_t Number() const { return number_; }
    std::string Description() const { return what(); }

  private:
    int32_t number_;
};

}  // namespace qfw
