// The Japanese texts of the reasons a file could not be read or written.
#pragma once

struct FileErrorText {
  // The usual causes, found by looking at the file, its folder and its disk.
  static constexpr const char* folderMissing = "フォルダがありません";
  static constexpr const char* fileMissing = "ファイルがありません";
  static constexpr const char* notAFile = "ファイルではありません";
  static constexpr const char* notReadable = "読み取りが許可されていません";
  static constexpr const char* notWritable = "書き込みが許可されていません";
  static constexpr const char* diskFull = "ディスクの空きが足りません";
  // Any other cause; "%1" is what the library or the system said.
  static constexpr const char* cannotRead = "ファイルを開けません（%1）";
  static constexpr const char* cannotWrite = "書き込めません（%1）";
};
