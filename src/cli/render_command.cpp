#include "cli/render_command.h"

#include <QFont>
#include <QGuiApplication>
#include <QString>
#include <charconv>
#include <memory>
#include <ostream>

#include "line/session.h"
#include "views/diagram_builder.h"
#include "views/diagram_export.h"
#include "views/status_icons.h"

namespace korvane {

namespace {

// Widths beyond this make pictures no program can open.
constexpr int kMaximumWidth = 20000;

// Nothing is asked while a file is read; should anything be, the box is closed.
class TClosingAsker : public TAsker {
public:
  TAnswer Ask(const TMessage& message) override { return message.Escape; }
};

// The window's font, so that the picture is laid out as the window lays it out.
QFont DiagramFont() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
  return QFont(QStringLiteral("MS Sans Serif"), 8);
}

// The value of an option given as "--name value" or "--name=value".
bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name, std::string& value,
                 bool& matched, std::string& error) {
  const std::string& arg = args[i];
  matched = false;
  if (arg == name) {
    matched = true;
    if (i + 1 >= args.size()) {
      error = name + " needs a value";
      return false;
    }
    value = args[++i];
    return true;
  }
  if (arg.rfind(name + "=", 0) == 0) {
    matched = true;
    value = arg.substr(name.size() + 1);
  }
  return true;
}

}  // namespace

const char* RenderUsage() {
  return "usage: korvane-cli render FILE --view dialectical|statements --width PIXELS [--structure-only] "
         "--output OUT.png|OUT.svg|OUT.pdf";
}

bool ParseRenderArguments(const std::vector<std::string>& args, TRenderRequest& request, std::string& error) {
  request = TRenderRequest{};
  std::string width;
  bool widthGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    bool matched = false;
    if (arg == "--structure-only") {
      request.StructureOnly = true;
      continue;
    }
    if (!OptionValue(args, i, "--view", request.View, matched, error)) return false;
    if (matched) continue;
    if (!OptionValue(args, i, "--width", width, matched, error)) return false;
    if (matched) {
      widthGiven = true;
      continue;
    }
    if (!OptionValue(args, i, "--output", request.Output, matched, error)) return false;
    if (matched) continue;
    if (arg.rfind("--", 0) == 0) {
      error = "unknown option " + arg;
      return false;
    }
    if (!request.File.empty()) {
      error = "more than one input file: " + request.File + " and " + arg;
      return false;
    }
    request.File = arg;
  }
  if (request.File.empty()) {
    error = "no input file";
    return false;
  }
  if (request.View != "dialectical" && request.View != "statements") {
    error = request.View.empty() ? "--view is missing" : "unknown view " + request.View + " (dialectical or statements)";
    return false;
  }
  if (!widthGiven) {
    error = "--width is missing";
    return false;
  }
  int value = 0;
  const auto [end, ec] = std::from_chars(width.data(), width.data() + width.size(), value);
  if (ec != std::errc() || end != width.data() + width.size() || value < 1 || value > kMaximumWidth) {
    error = "--width must be a whole number of pixels from 1 to " + std::to_string(kMaximumWidth) + ", not " + width;
    return false;
  }
  request.Width = value;
  if (request.Output.empty()) {
    error = "--output is missing";
    return false;
  }
  if (!ExportFormatOf(QString::fromStdString(request.Output))) {
    error = "the output file must end in .png, .svg or .pdf: " + request.Output;
    return false;
  }
  return true;
}

int RenderCommand(const std::vector<std::string>& args, std::ostream& out, std::ostream& err) {
  (void)out;
  TRenderRequest request;
  std::string error;
  if (!ParseRenderArguments(args, request, error)) {
    err << "korvane-cli render: " << error << "\n" << RenderUsage() << "\n";
    return 2;
  }

  // Fonts need a GUI application; without a display it runs on the offscreen platform.
  std::unique_ptr<QGuiApplication> app;
  if (!qobject_cast<QGuiApplication*>(QCoreApplication::instance())) {
    if (QCoreApplication::instance()) {
      err << "korvane-cli render: cannot start the drawing system\n";
      return 1;
    }
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    static int argc = 1;
    static char name[] = "korvane-cli";
    static char* argv[] = {name, nullptr};
    app = std::make_unique<QGuiApplication>(argc, argv);
  }

  TClosingAsker asker;
  TPlainTextHost host;
  TSession session(asker, host);
  try {
    session.OpenFile(request.File);
  } catch (const TCommandError& e) {
    err << "korvane-cli render: " << e.what() << "\n";
    return 1;
  }

  const TArgumentationStage& stage = *session.Line().CurrentStage;
  const QFont font = DiagramFont();
  const TDiagramLayout layout =
      request.View == "dialectical" ? LayoutDialecticalDiagram(stage, request.Width, font, request.StructureOnly)
                                    : LayoutStatementsDiagram(stage, request.Width, font, request.StructureOnly);
  const TStatusIconsImageList icons;
  QString failure;
  if (!ExportDiagram(layout, icons, QString::fromStdString(request.Output), failure)) {
    err << "korvane-cli render: " << failure.toStdString() << "\n";
    return 1;
  }
  return 0;
}

}  // namespace korvane
