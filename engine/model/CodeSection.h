// A block of code with its time restriction.
#pragma once

#include <string>

#include "model/TimeRestriction.h"

namespace orven::model {

// The code text (line ends are single line feeds) and its time restriction.
// A new section is empty and has no restriction. Copied by value.
class CodeSection {
  public:
    CodeSection() = default;
    explicit CodeSection(std::string text, TimeRestriction restriction = {})
        : text_(std::move(text)), timeRestriction_(restriction) {}
    virtual ~CodeSection() = default;
    CodeSection(const CodeSection&) = default;
    CodeSection& operator=(const CodeSection&) = default;

    const std::string& text() const { return text_; }
    void setText(std::string text) { text_ = std::move(text); }
    const TimeRestriction& timeRestriction() const { return timeRestriction_; }
    void setTimeRestriction(const TimeRestriction& restriction) { timeRestriction_ = restriction; }

    bool operator==(const CodeSection& o) const {
        return text_ == o.text_ && timeRestriction_ == o.timeRestriction_;
    }

  private:
    std::string text_;
    TimeRestriction timeRestriction_;
};

}  // namespace orven::model
