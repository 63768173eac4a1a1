#include "ui/launcher.h"

namespace tarnwick::ui {

namespace {

platform::ShowCommand ShowCommandOf(ShowState state) {
  switch (state) {
    case ShowState::Maximized:
      return platform::ShowCommand::Maximized;
    case ShowState::Minimized:
      return platform::ShowCommand::Minimized;
    case ShowState::Hide:
      return platform::ShowCommand::Hide;
    case ShowState::Normal:
      break;
  }
  return platform::ShowCommand::Normal;
}

}  // namespace

std::int32_t Launcher::OpenWithShell() {
  if (FileName.empty()) return 0;
  instance_ = 0;
  process_ = 0;
  const platform::ShellResult result =
      platform_.shellExecute({Action, FileName, Parameters, StartDir, ShowCommandOf(ShowMode)});
  if (!result.ok) return result.instance;
  instance_ = result.instance;
  process_ = result.process;
  return 0;
}

}  // namespace tarnwick::ui
