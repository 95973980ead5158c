// The signals a module defines: beta events and notifications.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace orven::model {

enum SignalKind : int {
    kBetaEvent = 0,     // letter "E"
    kNotification = 1,  // letter "N"
};

// "E" for a beta event, "N" for a notification.
char signalKindLetter(int kind);
// The kind of a letter; none for anything but "E" and "N".
std::optional<int> signalKindFromLetter(char letter);

class DefinedSignal {
  public:
    DefinedSignal() = default;
    DefinedSignal(int kind, std::string code) : kind_(kind), code_(std::move(code)) {}
    virtual ~DefinedSignal() = default;
    DefinedSignal(const DefinedSignal&) = default;
    DefinedSignal& operator=(const DefinedSignal&) = default;

    int kind() const { return kind_; }
    const std::string& code() const { return code_; }

    bool operator==(const DefinedSignal& o) const { return kind_ == o.kind_ && code_ == o.code_; }

  private:
    int kind_ = kBetaEvent;
    std::string code_;
};

// Signals by name, in byte-wise ascending name order.
using SignalMap = std::map<std::string, DefinedSignal, std::less<>>;

// Whether a signal name and code can be stored: both fit on one line of a
// module file, and neither holds ")" (the file encloses both in
// parentheses).
bool isValidSignalName(std::string_view name);
bool isValidSignalCode(std::string_view code);

}  // namespace orven::model
