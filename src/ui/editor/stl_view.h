#pragma once
// The statement-list editor window's content: one module's program file in the edit
// control, with its modified flag, its saving and the banner that shows a compilation of
// the module running.

#include <QLabel>
#include <QPointer>
#include <QWidget>
#include <filesystem>

#include "stl/alloc/allocation_find.h"
#include "stl/editor/conversion_context.h"
#include "ui/dialogs/find_replace_dialog.h"
#include "ui/editor/stl_editor.h"

namespace zel::ui {

class StlView : public QWidget {
  Q_OBJECT

 public:
  // `backup`: where saving keeps the previous file.
  StlView(std::filesystem::path file, std::filesystem::path backup, QWidget* parent = nullptr);

  // Reads and shows the file, telling the user about every line it could not show
  // faithfully; false when the file could not be read at all.
  bool load(const stl::ConversionContext& context);
  // Commits the open lines and writes the file; false (after telling why) on failure.
  bool save();
  // Writes the program into another file; the window stays with its module.
  bool saveCopyAs(const std::filesystem::path& file);
  bool isModified() const;
  // Asks whether to save a modified program: false when the user cancelled.
  bool maybeSave();

  StlEditor* editor() const { return m_editor; }
  const std::filesystem::path& file() const { return m_file; }
  // The module was renamed: its files moved, the text stays.
  void retarget(std::filesystem::path file, std::filesystem::path backup);
  // What the compile driver is given: the first eight characters of the file name.
  std::string moduleName() const;

  // Edit → Find and Replace in the program text.
  void showFindDialog(bool replace);
  bool findNext(const stl::FindOptions& options);
  void replaceCurrent(const stl::FindOptions& options, const QString& replacement);
  int replaceAll(const stl::FindOptions& options, const QString& replacement);
  FindReplaceDialog* findDialog() const { return m_find; }

  void setCompiling(bool running);
  bool compiling() const { return m_compiling; }
  QLabel* banner() const { return m_banner; }

 signals:
  void modificationChanged(bool modified);

 private:
  bool write(const std::filesystem::path& file, const std::filesystem::path& backup);
  void reportInvalidLines(const std::vector<int>& lines);

  std::filesystem::path m_file;
  std::filesystem::path m_backup;
  StlEditor* m_editor;
  QLabel* m_banner;
  QPointer<FindReplaceDialog> m_find;
  bool m_compiling = false;
};

}  // namespace zel::ui
