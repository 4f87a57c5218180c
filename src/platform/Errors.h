#pragma once
// The program's error type. Registry, file and COM failures are thrown as one
// of these; the window layer catches them at every message dispatch and shows
// the text in the general error report.
#include <stdexcept>
#include <string>

class EMuraltoError : public std::runtime_error {
public:
    explicit EMuraltoError(const std::string& message) : std::runtime_error(message) {}
};

class ERegistryException : public EMuraltoError {
public:
    using EMuraltoError::EMuraltoError;
};

// The system refused the access (a standard user writing a machine key):
// the program can choose other keys instead of failing.
class ERegistryAccessDenied : public ERegistryException {
public:
    using ERegistryException::ERegistryException;
};

class EFileError : public EMuraltoError {
public:
    using EMuraltoError::EMuraltoError;
};
