// The texts the settings dialogs share (UTF-8).
#pragma once

struct SettingsDialogText {
  static constexpr const char* ok = "OK";
  static constexpr const char* cancel = "キャンセル";
};
