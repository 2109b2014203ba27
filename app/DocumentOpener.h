#pragma once
// Hands a document name or internet address to the desktop's default opener. The windows
// install the desktop's opener at start-up; tests install their own.

#include <string>

class DocumentOpener {
  public:
    virtual ~DocumentOpener() = default;
    // True when the desktop accepted the target.
    virtual bool Open(const std::string& target) = 0;
};
