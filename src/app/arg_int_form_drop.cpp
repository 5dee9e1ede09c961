// Files dropped on the main window: a line of argumentation opens as Open opens it;
// another program's file is imported as a new, unsaved line; anything else is refused
// with a message and changes nothing.
#include <QApplication>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QMimeData>
#include <QTimer>

#include "app/arg_int_form.h"
#include "app/document_caption.h"
#include "files/file_system.h"
#include "interchange/importer.h"

namespace korvane {

namespace {

// The one local file a drag carries, or why there is none.
QString DraggedFile(const QMimeData* data, std::string& refusal) {
  const QList<QUrl> urls = data->urls();
  if (urls.size() != 1)
    refusal = "Only one file at a time can be dropped on the window";
  else if (!urls.first().isLocalFile())
    refusal = "Only a file of this computer can be dropped on the window, not " +
              urls.first().toDisplayString().toStdString();
  else
    return urls.first().toLocalFile();
  return {};
}

std::string ByteName(const QString& path) { return QFile::encodeName(path).toStdString(); }

}  // namespace

// Every drop of files is taken, so that a file the window cannot use gets its message.
void TArgIntForm::dragEnterEvent(QDragEnterEvent* event) {
  if (!Interpreting() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TArgIntForm::dragMoveEvent(QDragMoveEvent* event) {
  if (!Interpreting() && event->mimeData()->hasUrls()) event->acceptProposedAction();
}

void TArgIntForm::dropEvent(QDropEvent* event) {
  if (Interpreting() || !event->mimeData()->hasUrls()) return;
  event->acceptProposedAction();
  std::string refusal;
  const QString path = DraggedFile(event->mimeData(), refusal);
  // The drag source waits until the drop returns; the questions come after it.
  QTimer::singleShot(0, this, [this, path, refusal] {
    // A command started meanwhile, or a dialog opened, has the window now.
    if (Interpreting() || QApplication::activeModalWidget()) return;
    if (path.isEmpty())
      errorBox_.ReportError(refusal);
    else
      OpenDroppedFile(path);
  });
}

void TArgIntForm::OpenDroppedFile(const QString& path) {
  const std::string bytePath = ByteName(path);
  if (QFileInfo(path).suffix().compare(QStringLiteral("lin"), Qt::CaseInsensitive) == 0) {
    if (SaveChangesQuery() != TSaveAnswer::Cancel) OpenDocument(bytePath);
  } else if (interchange::ImportFormatOfPath(bytePath)) {
    ImportDocument(bytePath);
  } else {
    errorBox_.ReportError("Cannot open " + ByteName(QFileInfo(path).fileName()) +
                          ": only lines of argumentation (.lin), AIF files (.json) and Argdown files (.argdown) "
                          "can be dropped on the window");
  }
}

void TArgIntForm::ImportDocument(const std::string& path) {
  const std::optional<interchange::TImportFormat> format = interchange::ImportFormatOfPath(path);
  if (!format) return;
  if (SaveChangesQuery() == TSaveAnswer::Cancel) return;
  // Read and converted before the document goes, so that a file that fails costs nothing.
  std::string bytes;
  if (!SystemFileSystem().ReadFile(path, bytes)) {
    ReportError(CannotOpenFileError(path));
    return;
  }
  interchange::TImportResult result;
  try {
    result = interchange::ImportArgumentation(bytes, *format);
  } catch (const interchange::TImportError& error) {
    errorBox_.ReportError("Cannot import " + path + ": " + error.what());
    return;
  }
  session_->NewLine();
  SetTextLines(result.Lines);
  try {
    session_->InterpretLines();
  } catch (const TCommandError& error) {
    SetCurrentFile(kNewFileName, Line().Modified);
    ReportError(error);
    return;
  }
  // Never saved: Save asks for a name, as for a new document.
  SetCurrentFile(kNewFileName, Line().Modified);
  if (result.Notices.empty()) return;
  QString notices = QStringLiteral("Imported from %1 with these remarks:").arg(QFile::decodeName(path.c_str()));
  for (const std::string& notice : result.Notices)
    notices += QStringLiteral("\n") + QString::fromStdString(notice) + '.';
  errorBox_.ReportNotice(notices);
}

}  // namespace korvane
