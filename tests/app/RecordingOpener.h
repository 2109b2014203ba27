#pragma once
// A document opener that writes down what it was asked to open instead of opening it, and
// can be told to fail the way a desktop without an association does.

#include <stdexcept>
#include <string>
#include <vector>

#include "app/core/DocumentOpener.h"

class RecordingOpener : public core::DocumentOpener {
  public:
    bool Open(const std::string& target) override {
        opened.push_back(target);
        if (fail) throw std::runtime_error("no association");
        return true;
    }
    std::vector<std::string> opened;
    bool fail = false;
};
