// korvane-cli render FILE --view dialectical|statements|map [--width PIXELS] [--structure-only] [--scale N] --output OUT
#include "render_command.h"

#include <QFont>
#include <QGuiApplication>
#include <QString>
#include <charconv>
#include <iostream>
#include <memory>

#include "cli_support.h"
#include "views/diagram_builder.h"
#include "views/diagram_export.h"
#include "views/map_picture.h"
#include "views/status_icons.h"

namespace korvane::cli {

namespace {

// Widths beyond this make pictures no program can open.
constexpr int kMaximumWidth = 20000;

// The window's font, so that the picture is laid out as the window lays it out.
QFont DiagramFont() {
  QFont::insertSubstitution(QStringLiteral("MS Sans Serif"), QStringLiteral("DejaVu Sans"));
  return QFont(QStringLiteral("MS Sans Serif"), 8);
}

// The value of an option given as "--name value" or "--name=value"; false when arg is another one.
bool OptionValue(const std::vector<std::string>& args, std::size_t& i, const std::string& name, std::string& value) {
  const std::string& arg = args[i];
  if (arg == name) {
    if (i + 1 >= args.size()) throw TUsageError(name + " needs a value");
    value = args[++i];
    return true;
  }
  if (arg.rfind(name + "=", 0) == 0) {
    value = arg.substr(name.size() + 1);
    return true;
  }
  return false;
}

// Fonts need a GUI application; without a display it runs on the offscreen platform.
std::unique_ptr<QGuiApplication> StartDrawing() {
  if (qobject_cast<QGuiApplication*>(QCoreApplication::instance())) return nullptr;
  if (QCoreApplication::instance()) throw TCommandError(TCommandErrorKind::Other, "Cannot start drawing");
  if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
  static int argc = 1;
  static char name[] = "korvane-cli";
  static char* argv[] = {name, nullptr};
  return std::make_unique<QGuiApplication>(argc, argv);
}

}  // namespace

TRenderRequest ParseRenderArguments(const std::vector<std::string>& args) {
  TRenderRequest request;
  std::string width;
  std::string scale = "1";
  bool widthGiven = false;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (arg == "--structure-only") {
      request.StructureOnly = true;
      continue;
    }
    if (OptionValue(args, i, "--view", request.View) || OptionValue(args, i, "--output", request.Output) ||
        OptionValue(args, i, "--scale", scale))
      continue;
    if (OptionValue(args, i, "--width", width)) {
      widthGiven = true;
      continue;
    }
    if (arg.size() > 1 && arg[0] == '-') throw TUsageError("unknown option " + arg);
    if (!request.File.empty()) throw TUsageError("more than one input file: " + request.File + " and " + arg);
    request.File = arg;
  }
  if (request.File.empty()) throw TUsageError("no input file");
  if (request.View.empty()) throw TUsageError("--view is missing");
  if (request.View != "dialectical" && request.View != "statements" && request.View != "map")
    throw TUsageError("unknown view " + request.View + " (dialectical, statements or map)");
  // The map takes the width its layout needs.
  if (!widthGiven && request.View == "map") width = std::to_string(kMaximumWidth);
  if (!widthGiven && request.View != "map") throw TUsageError("--width is missing");
  int value = 0;
  const auto [end, ec] = std::from_chars(width.data(), width.data() + width.size(), value);
  if (ec != std::errc() || end != width.data() + width.size() || value < 1 || value > kMaximumWidth)
    throw TUsageError("--width must be a whole number of pixels from 1 to " + std::to_string(kMaximumWidth) + ", not " +
                      width);
  request.Width = value;
  if (scale.size() != 1 || scale[0] < '1' || scale[0] > '4')
    throw TUsageError("--scale must be 1, 2, 3 or 4, not " + scale);
  request.Scale = scale[0] - '0';
  if (request.Output.empty()) throw TUsageError("--output is missing");
  if (!ExportFormatOf(QString::fromStdString(request.Output)))
    throw TUsageError("the output file must end in .png, .svg or .pdf: " + request.Output);
  return request;
}

int RunRender(std::vector<std::string> args) {
  const TRenderRequest request = ParseRenderArguments(args);
  const std::unique_ptr<QGuiApplication> app = StartDrawing();

  TCliSession cli;
  const std::string error = Interpret(cli.Session, ReadInput(request.File));
  if (!error.empty()) std::cerr << error << ".\n";

  const TArgumentationStage& stage = *cli.Session.Line().CurrentStage;
  const QFont font = DiagramFont();
  TDiagramLayout layout;
  if (request.View == "map")
    layout = PaintMap(stage, font, request.StructureOnly).Layout;
  else if (request.View == "dialectical")
    layout = LayoutDialecticalDiagram(stage, request.Width, font, request.StructureOnly);
  else
    layout = LayoutStatementsDiagram(stage, request.Width, font, request.StructureOnly);
  const TStatusIconsImageList icons;
  QString failure;
  if (!ExportDiagram(layout, icons, QString::fromStdString(request.Output), failure, request.Scale)) {
    std::cerr << failure.toStdString() << ".\n";
    return kExitFile;
  }
  return error.empty() ? kExitOk : kExitFailed;
}

}  // namespace korvane::cli
