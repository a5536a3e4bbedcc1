#pragma once
// "Data sources…": the report's own data sources (a CSV, vCard or SQLite
// file, a table or a SELECT, each under the name bands and fields use), with
// a preview of the chosen source's first rows and the columns found. The
// dialog edits a copy; Apply hands it back.
//
// TvlDataSourceEditForm is the small dialog of one source: name, file (with
// a file chooser) and, for SQLite, the table or SELECT. OK checks the name
// and opens the source; a problem is said and the dialog stays open.

#include <QDialog>
#include <functional>
#include <string>

#include "engine/model/report_data_sources.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QTableWidget;

namespace vl {

class TvlDataSourceEditForm : public QDialog {
 public:
  // taken: the names other sources (and the form's own datasets) go by.
  TvlDataSourceEditForm(const TvlReportDataSource& source, std::function<bool(const std::string&)> taken,
                        QWidget* parent = nullptr);
  TvlReportDataSource Source() const;

  QLineEdit* NameE;
  QLineEdit* FileE;
  QLineEdit* QueryE;
  QPushButton* BrowseB;

  // How the file chooser is asked; a test puts its own answer here.
  static std::function<QString(QWidget* owner, const QString& start)>& ChooseFile();

 protected:
  void done(int result) override;

 private:
  std::function<bool(const std::string&)> taken_;
};

class TvlDataSourcesForm : public QDialog {
 public:
  // folder: where a new source's file chooser starts (the template's folder).
  TvlDataSourcesForm(const TvlReportDataSources& sources, QWidget* parent = nullptr);
  const TvlReportDataSources& Sources() const { return sources_; }

  QListWidget* ListL;
  QPushButton* AddB;
  QPushButton* EditB;
  QPushButton* RemoveB;
  QTableWidget* PreviewT;
  QLabel* ColumnsL;

  // Rows the preview shows at most.
  static constexpr int kPreviewRows = 20;

  // How one source is edited; a test puts its own answer here. False for Cancel.
  std::function<bool(QWidget* owner, TvlReportDataSource& source, const std::function<bool(const std::string&)>& taken)>
      EditSource;

  void AddSource();
  void EditCurrent();
  void RemoveCurrent();

 private:
  void Refill(int current);
  void ShowPreview();

  TvlReportDataSources sources_;
};

// The dialog on the report's sources: true (and the report's sources
// replaced) after OK with changes.
bool vlEditDataSources(QWidget* owner, TvlReportDataSources& sources);

}  // namespace vl
