// The File commands of the main window.
//
// While a text of moves is interpreted, the user's own input waits in the window
// system's queue; a command reached any other way meanwhile (a timer, a queued call, an
// accessibility action) is refused, since it would act on a half-made document.
#include <QAbstractItemView>
#include <QCloseEvent>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>

#include "app/arg_int_form.h"
#include "app/document_caption.h"

namespace korvane {

void TArgIntForm::SetCurrentFile(const std::string& path, bool modified) {
  Line().FileName = path;
  Line().Modified = modified;
  if (!modified) session_->History().MarkSaved();
  setWindowTitle(path == kNewFileName ? NewDocumentCaption() : DocumentCaption(path));
}

void TArgIntForm::NewDocument() {
  session_->NewLine();
  RefreshCurrentView();
  SetCurrentFile(kNewFileName, false);
}

TSaveAnswer TArgIntForm::SaveChangesQuery() {
  if (!Line().Modified) return TSaveAnswer::GoOn;
  // Required as is: the blank before the line break (pinned by tests/app/document_commands_test.cpp).
  const TMessage question = WarningMessage(
      std::string("Do you want to save the changes ") + kLineBreak + "to the current line of argumentation?",
      {TAnswer::Yes, TAnswer::No, TAnswer::Cancel});
  switch (asker_.Ask(question)) {
    case TAnswer::Yes:
      // A file that cannot be written stops the command that asked.
      return SaveDocument() ? TSaveAnswer::Yes : TSaveAnswer::Cancel;
    case TAnswer::No: SetCurrentFile(Line().FileName, false); return TSaveAnswer::No;
    default: return TSaveAnswer::Cancel;
  }
}

bool TArgIntForm::SaveDocument() {
  if (!Line().Modified) return true;
  if (Line().FileName == kNewFileName) return SaveDocumentAs();
  try {
    session_->WriteFile(Line().FileName);
  } catch (const TCommandError& error) {
    ReportError(error);
    return false;
  }
  SetCurrentFile(Line().FileName, false);
  return true;
}

bool TArgIntForm::SaveDocumentAs() {
  const std::string path = ChooseFile(dialogs_.Save);
  // Required as is: a cancelled dialog lets the asking command go on (pinned by tests/app/document_commands_test.cpp).
  if (path.empty()) return true;
  try {
    session_->WriteFile(path);
  } catch (const TCommandError& error) {
    ReportError(error);
    return false;
  }
  SetCurrentFile(path, false);
  return true;
}

std::string TArgIntForm::ChooseFile(QFileDialog* dialog) {
  const int result = dialog->exec();
  // Return typed while the name completion list is open accepts the dialog, but the
  // list, a window of its own, can stay up over the main window.
  for (QLineEdit* edit : dialog->findChildren<QLineEdit*>())
    if (QCompleter* completer = edit->completer(); completer && completer->popup()) completer->popup()->hide();
  if (result != QDialog::Accepted) return {};
  const QStringList files = dialog->selectedFiles();
  if (files.isEmpty()) return {};
  return QFile::encodeName(files.first()).toStdString();
}

void TArgIntForm::ReportError(const TCommandError& error) { errorBox_.ReportError(error.what()); }

void TArgIntForm::New1Click() {
  if (Interpreting()) return;
  if (SaveChangesQuery() != TSaveAnswer::Cancel) NewDocument();
}

void TArgIntForm::Open1Click() {
  if (Interpreting()) return;
  if (SaveChangesQuery() == TSaveAnswer::Cancel) return;
  const std::string path = ChooseFile(dialogs_.Open);
  if (path.empty()) return;
  OpenDocument(path);
}

void TArgIntForm::OpenDocument(const std::string& path) {
  try {
    session_->OpenFile(path);
  } catch (const TOpeningCancelled&) {
    return;  // the document before the Open is back, as it was
  } catch (const TCommandError& error) {
    // A file that was read names the document even when its interpretation failed;
    // one that could not be opened leaves the previous document as it was.
    if (error.Kind() != TCommandErrorKind::CannotOpen) SetCurrentFile(path, Line().Modified);
    ReportError(error);
    return;
  }
  SetCurrentFile(path, false);
}

void TArgIntForm::Append1Click() {
  if (Interpreting()) return;
  // Required as is: the dialog gets back the title it had (pinned by tests/app/document_commands_test.cpp).
  const QString title = dialogs_.Open->windowTitle();
  dialogs_.Open->setWindowTitle(QStringLiteral("Append"));
  const std::string path = ChooseFile(dialogs_.Open);
  // The title goes back before anything can fail.
  dialogs_.Open->setWindowTitle(title);
  if (path.empty()) return;
  try {
    session_->AppendFile(path);
  } catch (const TCommandError& error) {
    ReportError(error);
  }
}

void TArgIntForm::Save1Click() {
  if (Interpreting()) return;
  SaveDocument();
}

void TArgIntForm::SaveAs1Click() {
  if (Interpreting()) return;
  SaveDocumentAs();
}

// While a text is interpreted the close request is held and carried out afterwards.
void TArgIntForm::Exit1Click() { close(); }

void TArgIntForm::FormCloseQuery(bool& canClose) { canClose = SaveChangesQuery() != TSaveAnswer::Cancel; }

void TArgIntForm::closeEvent(QCloseEvent* event) {
  bool canClose = true;
  FormCloseQuery(canClose);
  if (canClose)
    event->accept();
  else
    event->ignore();
}

}  // namespace korvane
