// A session without a window: a plain list stands in for the text view and an asker
// answers. The command-line tool, the fuzz targets and the tests all build on it.
#pragma once

#include <functional>
#include <string>
#include <vector>

#include "document/session.h"
#include "document/view_host.h"
#include "line/messages.h"

namespace korvane {

/// Answers every question Yes; a notice (a box without Yes) gets its default answer and
/// is recorded, and passed on to OnNotice when one is set.
class TYesAsker : public TAsker {
public:
  TAnswer Ask(const TMessage& message) override;
  /// Boxes shown so far, questions and notices.
  [[nodiscard]] int Asked() const { return asked_; }
  /// The texts of the notices shown, in order.
  [[nodiscard]] const std::vector<std::string>& Notices() const { return notices_; }
  std::function<void(const std::string&)> OnNotice;

private:
  int asked_ = 0;
  std::vector<std::string> notices_;
};

/// The pieces of a windowless session, wired together.
template <typename TAnswering = TYesAsker>
struct THeadlessSession {
  THeadlessSession() = default;
  THeadlessSession(const THeadlessSession&) = delete;
  THeadlessSession& operator=(const THeadlessSession&) = delete;

  TAnswering Asker;
  TPlainTextHost Host;
  TSession Session{Asker, Host};
};

}  // namespace korvane
