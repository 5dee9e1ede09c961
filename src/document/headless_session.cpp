#include "document/headless_session.h"

#include <algorithm>

namespace korvane {

TAnswer TYesAsker::Ask(const TMessage& message) {
  ++asked_;
  if (std::find(message.Buttons.begin(), message.Buttons.end(), TAnswer::Yes) != message.Buttons.end())
    return TAnswer::Yes;
  notices_.push_back(message.Text);
  if (OnNotice) OnNotice(message.Text);
  return message.Default;
}

}  // namespace korvane
