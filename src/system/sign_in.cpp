#include "system/sign_in.h"

#include "rtl/text_utils.h"

namespace rimfold {

std::u16string signInCommand(const std::u16string& exe) { return u"\"" + exe + u"\""; }

bool commandNames(std::u16string_view command, std::u16string_view exe) {
  if (exe.empty()) return false;
  if (!command.empty() && command.front() == u'"') {
    command.remove_prefix(1);
    const std::size_t close = command.find(u'"');
    return close != std::u16string_view::npos && equalsIgnoreCase(command.substr(0, close), exe);
  }
  if (command.size() < exe.size() || !equalsIgnoreCase(command.substr(0, exe.size()), exe)) {
    return false;
  }
  return command.size() == exe.size() || command[exe.size()] == u' ';
}

namespace {

// Task Manager keeps 12 bytes per entry; an odd first byte marks it switched off.
bool switchedOffInTaskManager(ISystem& s) {
  const auto approved = s.readHkcuBytes(kStartupApprovedKey, kSignInValue);
  return approved && !approved->empty() &&
         (static_cast<unsigned char>(approved->front()) & 1u) != 0;
}

}  // namespace

bool startsAtSignIn(ISystem& s, const std::u16string& exe) {
  const auto command = s.readHkcuString(kRunKey, kSignInValue);
  return command && commandNames(*command, exe) && !switchedOffInTaskManager(s);
}

bool setStartAtSignIn(ISystem& s, const std::u16string& exe, bool on) {
  if (!on) {
    const bool removed = s.deleteHkcuValue(kRunKey, kSignInValue);
    s.deleteHkcuValue(kStartupApprovedKey, kSignInValue);  // nothing of it left behind
    return removed;
  }
  if (!s.writeHkcuString(kRunKey, kSignInValue, signInCommand(exe))) return false;
  return !switchedOffInTaskManager(s) || s.deleteHkcuValue(kStartupApprovedKey, kSignInValue);
}

}  // namespace rimfold
