// A seeded random walk through the real window: moves of each kind through their dialogs
// (new and existing sentences, overruled types), deletions confirmed and refused, undo,
// redo, view switches, find, zoom, the map shown and hidden, save and open again, a new
// document now and then. After every
// action the stage shown must be the one its text gives when replayed without a window,
// and the undo and redo lists must hold exactly the changes made and not undone.
// KORVANE_MONKEY_SEED and KORVANE_MONKEY_ACTIONS choose the walk (defaults 20261209, 300).
//
// Connections only run from a later sentence of the vocabulary to an earlier one, and an
// exception is later than its reason: no cycle forms, so no move meets the evaluation's
// work limit and every box a move asks can be foreseen from the stage.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <functional>
#include <memory>
#include <optional>
#include <random>

#include "app/exception_form.h"
#include "app/find_box.h"
#include "app/map_window.h"
#include "app/reason_conclusion_form.h"
#include "app/statement_form.h"
#include "app_fixture.h"
#include "document/headless_session.h"
#include "modal_script.h"
#include "model/stage_description.h"
#include "views/diagram_paint_box.h"
#include "views/diagram_zoom.h"
#include "views/statement_finder.h"

using namespace korvane;

namespace {

constexpr int kSentences = 24;

std::string SentenceNumber(int i) { return "claim " + std::to_string(10 + i); }

void Enter(TSentenceComboBox* box, const std::string& sentence) {
  box->setFocus();
  box->lineEdit()->selectAll();
  QTest::keyClicks(box->lineEdit(), QString::fromStdString(sentence));
}

std::size_t Hash(const std::vector<std::string>& text) {
  std::string joined;
  for (const std::string& line : text) joined += line + '\n';
  return std::hash<std::string>{}(joined);
}

}  // namespace

class MonkeyTest : public QObject {
  Q_OBJECT

  std::unique_ptr<TApp> app_;
  std::mt19937 random_;
  QString path_;
  // What the lists must be: the text's hash at every undo depth, the depth now, and the
  // depth whose text was last opened or saved, while undo or redo can reach it.
  std::vector<std::size_t> texts_;
  std::size_t depth_ = 0;
  std::optional<std::size_t> saved_ = 0;

  [[nodiscard]] TArgIntForm& Main() const { return app_->Main(); }
  [[nodiscard]] const TArgumentationStage& Stage() const { return *Main().Line().CurrentStage; }
  [[nodiscard]] int Number(int low, int high) { return std::uniform_int_distribution<int>(low, high)(random_); }
  [[nodiscard]] bool Coin() { return Number(0, 1) == 1; }
  [[nodiscard]] TStatementType AnyType() { return Coin() ? kIssue : kAssumption; }

  [[nodiscard]] std::optional<TStatementType> TypeOf(const std::string& sentence) const {
    TStatement* found = nullptr;
    if (!Stage().SentenceIsStatementSentence(sentence, found)) return std::nullopt;
    return found->StatementType;
  }
  [[nodiscard]] bool Overrules(const std::string& sentence, TStatementType type) const {
    const auto existing = TypeOf(sentence);
    return existing && *existing != type;
  }
  [[nodiscard]] const TReasonConclusion* ConnectionOf(const std::string& reason, const std::string& conclusion) const {
    for (const TReasonConclusion* c : Stage().ReasonConclusions)
      if (c->Reason->Sentence == reason && c->Conclusion->Sentence == conclusion) return c;
    return nullptr;
  }

  // Runs command with the script answering its windows; the script must have been followed.
  static void Run(TModalScript& script, const std::function<void()>& command, const char* what = "") {
    command();
    QVERIFY2(script.Succeeded(), qPrintable(QString::fromLatin1(what) + QLatin1Char(' ') + script.Report()));
  }

  // A confirmation box, if one is asked, answered at random; true when the move goes ahead.
  bool AnswerConfirmation(TModalScript& script, bool asked) {
    if (!asked) return true;
    const bool yes = Coin();
    script.Click(yes ? QStringLiteral("&Yes") : QStringLiteral("&No"));
    return yes;
  }

  // The text changed exactly when a change was expected; it becomes the one to undo.
  void Changed(bool expected) {
    const std::size_t now = Hash(app_->Text());
    QCOMPARE(now != texts_[depth_], expected);
    if (!expected) return;
    texts_.resize(depth_ + 1);
    texts_.push_back(now);
    if (saved_ && *saved_ > depth_) saved_.reset();
    ++depth_;
  }

  void Reset() {
    texts_ = {Hash(app_->Text())};
    depth_ = 0;
    saved_ = 0;
  }

  void StatementMove() {
    const std::string s = SentenceNumber(Number(0, kSentences - 1));
    const TStatementType type = AnyType();
    const auto existing = TypeOf(s);
    TStatementForm& form = *Main().Dialogs().Statement;
    TModalScript script;
    script.Do("korvane::TStatementForm", [&](QWidget*) {
      Enter(form.StatementComboBox(), s);
      form.StatementTypeRadioGroup()->SetStatementType(type);
      form.OKButton()->click();
    });
    bool made = true;
    if (existing && *existing == type) {
      script.Click(QStringLiteral("OK"));
      made = false;
    } else {
      made = AnswerConfirmation(script, existing.has_value());
    }
    Run(script, [this] { Main().StatementButtonClick(); });
    Changed(made);
  }

  // A conclusion and a later reason; an existing connection half of the time.
  std::pair<std::string, std::string> AnyConnection(int lastReason) {
    if (Coin() && !Stage().ReasonConclusions.Empty()) {
      const TReasonConclusion* c =
          Stage().ReasonConclusions[static_cast<std::size_t>(Number(0, int(Stage().ReasonConclusions.Count()) - 1))];
      return {c->Reason->Sentence, c->Conclusion->Sentence};
    }
    const int k = Number(0, lastReason - 1);
    return {SentenceNumber(Number(k + 1, lastReason)), SentenceNumber(k)};
  }

  void ReasonConclusionMove() {
    const auto [r, k] = AnyConnection(kSentences - 1);
    const TStatementType rt = AnyType(), kt = AnyType();
    TReasonConclusionForm& form = *Main().Dialogs().ReasonConclusion;
    TModalScript script;
    script.Do("korvane::TReasonConclusionForm", [&](QWidget*) {
      Enter(form.ConclusionComboBox(), k);
      Enter(form.ReasonComboBox(), r);
      form.ConclusionTypeRadioGroup()->SetStatementType(kt);
      form.ReasonTypeRadioGroup()->SetStatementType(rt);
      form.OKButton()->click();
    });
    const bool made = AnswerConfirmation(script, Overrules(r, rt) || Overrules(k, kt));
    Run(script, [this] { Main().ReasonConclusionButtonClick(); });
    Changed(made);
  }

  void ExceptionMove() {
    auto [r, k] = AnyConnection(kSentences - 2);
    int reasonNumber = std::stoi(r.substr(6)) - 10;
    if (reasonNumber >= kSentences - 1) {
      reasonNumber = kSentences - 2;
      r = SentenceNumber(reasonNumber);
      k = SentenceNumber(Number(0, reasonNumber - 1));
    }
    const std::string e = SentenceNumber(Number(reasonNumber + 1, kSentences - 1));
    const TStatementType et = AnyType(), rt = AnyType(), kt = AnyType();
    TExceptionForm& form = *Main().Dialogs().Exception;
    TModalScript script;
    script.Do("korvane::TExceptionForm", [&](QWidget*) {
      Enter(form.ExceptionComboBox(), e);
      Enter(form.ConclusionComboBox(), k);
      Enter(form.ReasonComboBox(), r);
      form.ExceptionTypeRadioGroup()->SetStatementType(et);
      form.ConclusionTypeRadioGroup()->SetStatementType(kt);
      form.ReasonTypeRadioGroup()->SetStatementType(rt);
      form.OKButton()->click();
    });
    const bool made = AnswerConfirmation(script, Overrules(e, et) || Overrules(r, rt) || Overrules(k, kt));
    Run(script, [this] { Main().ExceptionButtonClick(); });
    Changed(made);
  }

  // A deletion through the dialog's Delete: refused when the item is not there, else
  // asked and answered at random; the dialog stays open unless it deleted.
  template <class TForm>
  void Delete(const char* className, TForm& form, bool exists, const std::function<void()>& fill,
              void (TArgIntForm::*open)()) {
    TModalScript script;
    script.Do(className, [&](QWidget*) {
      fill();
      form.DeleteButton()->click();
    });
    bool deleted = false;
    if (!exists) {
      script.Click(QStringLiteral("OK"));
    } else {
      deleted = Coin();
      script.Click(deleted ? QStringLiteral("&Yes") : QStringLiteral("&No"));
    }
    if (!deleted) script.Do(className, [&](QWidget*) { form.CancelButton()->click(); });
    Run(script, [&] { (Main().*open)(); });
    Changed(deleted);
  }

  void DeleteStatement() {
    std::string s = SentenceNumber(Number(0, kSentences - 1));
    if (Coin() && !Stage().Statements.Empty())
      s = Stage().Statements[static_cast<std::size_t>(Number(0, int(Stage().Statements.Count()) - 1))]->Sentence;
    TStatementForm& form = *Main().Dialogs().Statement;
    Delete("korvane::TStatementForm", form, TypeOf(s).has_value(), [&] { Enter(form.StatementComboBox(), s); },
           &TArgIntForm::StatementButtonClick);
  }

  void DeleteConnection() {
    const auto [r, k] = AnyConnection(kSentences - 1);
    TReasonConclusionForm& form = *Main().Dialogs().ReasonConclusion;
    Delete("korvane::TReasonConclusionForm", form, ConnectionOf(r, k) != nullptr,
           [&] {
             Enter(form.ConclusionComboBox(), k);
             Enter(form.ReasonComboBox(), r);
           },
           &TArgIntForm::ReasonConclusionButtonClick);
  }

  void DeleteException() {
    std::string e = SentenceNumber(Number(1, kSentences - 1));
    auto [r, k] = AnyConnection(kSentences - 1);
    for (const TReasonConclusion* c : Stage().ReasonConclusions)
      if (!c->Exceptions.Empty() && Coin()) {
        e = c->Exceptions.First()->Sentence;
        r = c->Reason->Sentence;
        k = c->Conclusion->Sentence;
        break;
      }
    bool exists = false;
    if (const TReasonConclusion* c = ConnectionOf(r, k))
      for (const TStatement* x : c->Exceptions) exists = exists || x->Sentence == e;
    TExceptionForm& form = *Main().Dialogs().Exception;
    Delete("korvane::TExceptionForm", form, exists,
           [&] {
             Enter(form.ExceptionComboBox(), e);
             Enter(form.ConclusionComboBox(), k);
             Enter(form.ReasonComboBox(), r);
           },
           &TArgIntForm::ExceptionButtonClick);
  }

  void Undo() {
    Main().UndoAction()->trigger();
    if (depth_ > 0) --depth_;
  }

  void Redo() {
    Main().RedoAction()->trigger();
    if (depth_ + 1 < texts_.size()) ++depth_;
  }

  void SwitchView() {
    static const char* const kButtons[] = {"ViewLineOfArgumentationSpeedButton", "ViewStatements2SpeedButton",
                                           "ViewDialArgsSpeedButton"};
    app_->Child<QPushButton>(kButtons[Number(0, 2)])->click();
  }

  // A decade of the vocabulary in any case: the find box counts the statements holding it.
  // The window's keys act while it is the active window, as for a user typing into it. The
  // platform may call it active before the application has taken in the change: wait for both.
  void Activate() {
    Main().activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&Main()));
    QTRY_VERIFY(QApplication::activeWindow() == &Main());
  }

  void Find() {
    Activate();
    QTest::keyClick(&Main(), Qt::Key_F, Qt::ControlModifier);
    auto* find = Main().findChild<TFindBox*>();
    QVERIFY(find != nullptr && find->Dialog()->isVisible());
    auto* edit = find->Dialog()->findChild<QLineEdit*>(QStringLiteral("FindEdit"));
    const std::string decade = "claim " + std::to_string(Number(1, 3));
    edit->setText(Coin() ? QString::fromStdString(decade).toUpper() : QString::fromStdString(decade));
    for (int k = Number(0, 3); k > 0; --k) QTest::keyClick(edit, Qt::Key_Return);
    int holding = 0;
    for (const TStatement* s : Stage().Statements) holding += s->Sentence.find(decade) != std::string::npos ? 1 : 0;
    QCOMPARE(find->Finder().Count(), holding);
    if (holding > 0) QVERIFY(find->Finder().CurrentSentence()->find(decade) != std::string::npos);
    if (Coin()) QTest::keyClick(edit, Qt::Key_Escape);
  }

  // Ctrl++, Ctrl+- or Ctrl+0: a showing diagram takes the next step, the text view none.
  void Zoom() {
    static const Qt::Key kKeys[] = {Qt::Key_Plus, Qt::Key_Minus, Qt::Key_0};
    const Qt::Key key = kKeys[Number(0, 2)];
    const auto* box = app_->Child<TDiagramPaintBox>("DialArgsPaintBox");
    const int before = box->Zoom().Percent();
    const bool diagram = box->isVisible();
    Activate();
    QTest::keyClick(&Main(), key, Qt::ControlModifier);
    const int expected = !diagram ? before : key == Qt::Key_Plus ? ZoomedIn(before) : key == Qt::Key_Minus ? ZoomedOut(before) : 100;
    QVERIFY2(box->Zoom().Percent() == expected,
             qPrintable(QStringLiteral("key %1 from %2%: %3%, expected %4% (focus: %5)")
                            .arg(QKeySequence(key).toString())
                            .arg(before)
                            .arg(box->Zoom().Percent())
                            .arg(expected)
                            .arg(QApplication::focusWidget() ? QApplication::focusWidget()->metaObject()->className() : "none")));
  }

  // The map follows every later action while it shows.
  void ToggleMap() {
    auto* map = Main().findChild<TMapWindow*>();
    if (map->isVisible())
      map->hide();
    else {
      Activate();
      QTest::keyClick(&Main(), Qt::Key_M, Qt::ControlModifier);
    }
  }

  void SaveAndOpenAgain() {
    QFile::remove(path_);
    const std::vector<std::string> text = app_->Text();
    {
      // Each script closes what it did not expect while it lives: one at a time.
      TModalScript save;
      save.ChooseFile(path_);
      Run(save, [this] { Main().SaveAs1Click(); }, "save as");
    }
    saved_ = depth_;
    TModalScript open;
    open.ChooseFile(path_);
    Run(open, [this] { Main().Open1Click(); }, "open");
    QCOMPARE(app_->Text(), text);
    Reset();
  }

  void NewDocument() {
    TModalScript script;
    if (Main().Line().Modified) script.Click(QStringLiteral("&No"));
    Run(script, [this] { Main().New1Click(); });
    Reset();
  }

  // What must hold after every action.
  void Check() {
    THeadlessSession<> replay;
    replay.Host.Lines = app_->Text();
    replay.Session.InterpretLines();
    QCOMPARE(test::Describe(Stage()), test::Describe(*replay.Session.Line().CurrentStage));
    const TMoveHistory& history = Main().Session().History();
    QCOMPARE(history.UndoCount(), depth_);
    QCOMPARE(history.RedoCount(), texts_.size() - 1 - depth_);
    QCOMPARE(Hash(app_->Text()), texts_[depth_]);
    QCOMPARE(Main().UndoAction()->isEnabled(), depth_ > 0);
    QCOMPARE(Main().RedoAction()->isEnabled(), history.RedoCount() > 0);
    QCOMPARE(Main().Line().Modified, saved_ != depth_);
  }

private slots:
  void initTestCase() { InitTestApplication(); }

  void randomWalk() {
    const int seed = qEnvironmentVariableIsSet("KORVANE_MONKEY_SEED") ? qEnvironmentVariableIntValue("KORVANE_MONKEY_SEED")
                                                                      : 20261209;
    const int actions =
        qEnvironmentVariableIsSet("KORVANE_MONKEY_ACTIONS") ? qEnvironmentVariableIntValue("KORVANE_MONKEY_ACTIONS") : 300;
    qInfo("seed %d, %d actions", seed, actions);
    random_.seed(static_cast<std::mt19937::result_type>(seed));
    path_ = QDir(QDir::tempPath()).filePath(QStringLiteral("korvane_monkey_%1.lin").arg(QCoreApplication::applicationPid()));
    app_ = std::make_unique<TApp>();
    Reset();

    struct TAction {
      const char* Name;
      int Weight;
      void (MonkeyTest::*Run)();
    };
    const TAction table[] = {
        {"statement", 20, &MonkeyTest::StatementMove},
        {"reason/conclusion", 18, &MonkeyTest::ReasonConclusionMove},
        {"exception", 10, &MonkeyTest::ExceptionMove},
        {"delete statement", 5, &MonkeyTest::DeleteStatement},
        {"delete connection", 4, &MonkeyTest::DeleteConnection},
        {"delete exception", 4, &MonkeyTest::DeleteException},
        {"undo", 14, &MonkeyTest::Undo},
        {"redo", 8, &MonkeyTest::Redo},
        {"view", 8, &MonkeyTest::SwitchView},
        {"find", 4, &MonkeyTest::Find},
        {"zoom", 4, &MonkeyTest::Zoom},
        {"map", 2, &MonkeyTest::ToggleMap},
        {"save and open", 3, &MonkeyTest::SaveAndOpenAgain},
        {"new", 1, &MonkeyTest::NewDocument},
    };
    int total = 0;
    for (const TAction& a : table) total += a.Weight;
    for (int i = 0; i < actions; ++i) {
      int pick = Number(0, total - 1);
      const TAction* action = table;
      while (pick >= action->Weight) pick -= (action++)->Weight;
      (this->*action->Run)();
      if (!QTest::currentTestFailed()) Check();
      if (QTest::currentTestFailed()) {
        qWarning("failed at action %d (%s), seed %d", i, action->Name, seed);
        break;
      }
      if ((i + 1) % 1000 == 0) qInfo("%d actions, %zu lines", i + 1, app_->Text().size());
    }
    QFile::remove(path_);
    app_.reset();
  }
};

QTEST_MAIN(MonkeyTest)
#include "monkey_test.moc"
