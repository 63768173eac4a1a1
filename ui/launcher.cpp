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
  // The platform keeps the process handle the shell hands back; nothing here waits on it.
  const platform::ShellResult result =
      platform_.shellExecute({Action, FileName, Parameters, StartDir, ShowCommandOf(ShowMode)});
  return result.ok ? 0 : result.instance;
}

}  // namespace tarnwick::ui
