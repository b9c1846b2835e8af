#include "QtWidgetSet.h"

#include <QApplication>
#include <QBuffer>
#include <QClipboard>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QFileDialog>
#include <QFontDialog>
#include <QFontMetrics>
#include <QMenu>
#include <QPainter>
#include <QScreen>
#include <QStyle>
#include <QTimer>
#include <QUrl>
#include <cstdlib>
#include <cstring>

#include "Application.h"
#include "Dialogs.h"
#include "ExtCtrls.h"
#include "HeadlessWidgetSet.h"
#include "MainThread.h"
#include "Menus.h"
#include "QtCanvas.h"
#include "QtWSControls.h"
#include "Sounds.h"

namespace xel {

namespace {

// QApplication keeps a reference to its argument count.
int gQtArgc = 1;
char gQtName[] = "xel";
char* gQtArgv[] = {gQtName, nullptr};

// Offscreen, the platform says for every window that it cannot raise or resize it as a
// desktop would; those lines tell the user nothing.
QtMessageHandler gDefaultHandler = nullptr;
void QuietOffscreenMessages(QtMsgType type, const QMessageLogContext& context, const QString& message) {
  if (type == QtWarningMsg &&
      (message.startsWith("This plugin does not support") || message.contains("XDG_RUNTIME_DIR not set")))
    return;
  if (gDefaultHandler) gDefaultHandler(type, context, message);
}

void EnsureQtApplication() {
  if (QCoreApplication::instance()) return;
  // Without a display the windows still exist, paint and can be grabbed.
  const char* platform = std::getenv("QT_QPA_PLATFORM");
  if ((!platform || !*platform) && !std::getenv("DISPLAY") && !std::getenv("WAYLAND_DISPLAY"))
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
  const char* chosen = std::getenv("QT_QPA_PLATFORM");
  if (chosen && std::strcmp(chosen, "offscreen") == 0) gDefaultHandler = qInstallMessageHandler(QuietOffscreenMessages);
  new QApplication(gQtArgc, gQtArgv);
}

// "Text files (*.txt)|*.txt|All files (*.*)|*.*" as Qt's "Text files (*.txt);;All files (*)".
QStringList QtFilters(const String& filter) {
  QStringList parts = QtString(filter).split('|');
  QStringList result;
  for (int i = 0; i + 1 < parts.size(); i += 2) {
    QString patterns = parts[i + 1];
    patterns.replace(';', ' ');
    patterns.replace("*.*", "*");
    QString name = parts[i];
    int paren = name.indexOf('(');
    if (paren >= 0) name = name.left(paren).trimmed();
    result << name + " (" + patterns + ")";
  }
  return result;
}

}  // namespace

TQtWidgetSet::TQtWidgetSet() {
  EnsureQtApplication();
  Register(TWinControl::StaticClass(), std::unique_ptr<TWSWinControl>(new TQtWSWinControl()));
  RegisterQtStdCtrls(this);
  RegisterQtForms(this);
  // A call queued by another thread wakes the loop; qApp runs it on the main thread.
  SetWakeMainThread([] { QMetaObject::invokeMethod(qApp, [] { CheckSynchronize(); }, Qt::QueuedConnection); });
}

void TQtWidgetSet::ProcessMessages() { QCoreApplication::processEvents(QEventLoop::AllEvents); }

void TQtWidgetSet::Run(TApplication* app) {
  while (!app->Terminated()) {
    QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents | QEventLoop::AllEvents);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    if (!app->Terminated()) app->Idle();
  }
}

// The font of the last measurement with its Qt metrics: sizing a grid's columns measures
// thousands of texts in one font, and making the font is a good part of each measurement.
struct TQtWidgetSet::TMeasureFont {
  explicit TMeasureFont(const TFont& font)
      : Name(font.GetName()), Height(font.GetHeight()), Style(font.GetStyle()), Metrics(QtFont(font)),
        CellHeight(QtTextCell(QtFont(font)).Height) {}
  // What QtFont reads of the host's font.
  bool Same(const TFont& font) const {
    return font.GetHeight() == Height && font.GetStyle() == Style && font.GetName() == Name;
  }
  String Name;
  Integer Height;
  TFontStyles Style;
  QFontMetrics Metrics;
  int CellHeight;
};

TPoint TQtWidgetSet::TextExtent(const TFont& font, const String& text) {
  if (!FMeasureFont || !FMeasureFont->Same(font)) FMeasureFont = std::make_unique<TMeasureFont>(font);
  return {FMeasureFont->Metrics.horizontalAdvance(QtString(text)), FMeasureFont->CellHeight};
}

TQtWidgetSet::~TQtWidgetSet() { SetWakeMainThread(nullptr); }

// The desktop's browser shows the page; offscreen there is no desktop to ask.
bool TQtWidgetSet::ShowHelp(const String& url) {
  if (QtOffscreen()) return false;
  return QDesktopServices::openUrl(QUrl(QtString(url)));
}

// The style's message-box pictures; the application's icon where one was set.
String TQtWidgetSet::SystemIconImage(TSystemIcon icon, Integer size, TColor background) {
  if (size <= 0 || size > 256) return "";
  QIcon picture;
  switch (icon) {
    case TSystemIcon::Hand: picture = QApplication::style()->standardIcon(QStyle::SP_MessageBoxCritical); break;
    case TSystemIcon::Question: picture = QApplication::style()->standardIcon(QStyle::SP_MessageBoxQuestion); break;
    case TSystemIcon::Exclamation: picture = QApplication::style()->standardIcon(QStyle::SP_MessageBoxWarning); break;
    case TSystemIcon::Asterisk: picture = QApplication::style()->standardIcon(QStyle::SP_MessageBoxInformation); break;
    case TSystemIcon::Application:
      picture = QApplication::windowIcon();
      if (picture.isNull()) picture = QApplication::style()->standardIcon(QStyle::SP_ComputerIcon);
      break;
  }
  if (picture.isNull()) return "";
  // BMP has no transparency: the picture is laid on the colour it will be shown on.
  QImage image(size, size, QImage::Format_RGB32);
  image.fill(QtColor(background));
  {
    QPainter painter(&image);
    picture.paint(&painter, QRect(0, 0, size, size));
  }
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  if (!image.save(&buffer, "BMP")) return "";
  return String(bytes.constData(), static_cast<size_t>(bytes.size()));
}

String TQtWidgetSet::GetClipboardText() { return HostString(QGuiApplication::clipboard()->text()); }

void TQtWidgetSet::SetClipboardText(const String& text) { QGuiApplication::clipboard()->setText(QtString(text)); }

void TQtWidgetSet::Popup(TPopupMenu* menu, TPoint screenPos) {
  QMenu qmenu;
  FillQtMenu(&qmenu, menu->Items());
  qmenu.exec(QPoint(screenPos.X, screenPos.Y));
}

void TQtWidgetSet::UpdateTimer(TTimer* timer) {
  auto it = FTimers.find(timer);
  if (!timer->Running()) {
    if (it != FTimers.end()) FTimers.erase(it);
    return;
  }
  if (it == FTimers.end()) {
    auto q = std::make_unique<QTimer>();
    QObject::connect(q.get(), &QTimer::timeout, [timer] { timer->Timer(); });
    it = FTimers.emplace(timer, std::move(q)).first;
  }
  it->second->start(static_cast<int>(timer->GetInterval()));
}

bool TQtWidgetSet::ExecuteDialog(TCommonDialog* dialog) {
  QWidget* parent = QApplication::activeWindow();
  QString title = QtString(dialog->GetTitle());
  // The desktop's own dialogs need a display; offscreen, Qt's widgets stand in.
  const bool own = QtOffscreen();
  if (auto* open = dynamic_cast<TOpenDialog*>(dialog)) {
    QFileDialog fd(parent, title, QtString(open->GetInitialDir()));
    bool save = dynamic_cast<TSaveDialog*>(dialog) != nullptr;
    fd.setOption(QFileDialog::DontUseNativeDialog, own);
    fd.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    fd.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QStringList filters = QtFilters(open->GetFilter());
    if (!filters.isEmpty()) {
      fd.setNameFilters(filters);
      int index = std::clamp<int>(open->GetFilterIndex() - 1, 0, static_cast<int>(filters.size()) - 1);
      fd.selectNameFilter(filters[index]);
    }
    if (!open->GetDefaultExt().empty()) fd.setDefaultSuffix(QtString(open->GetDefaultExt()));
    if (!open->GetFileName().empty()) fd.selectFile(QtString(open->GetFileName()));
    if (fd.exec() != QDialog::Accepted || fd.selectedFiles().isEmpty()) return false;
    open->SetFileName(HostString(fd.selectedFiles().first()));
    return true;
  }
  if (auto* fontDialog = dynamic_cast<TFontDialog*>(dialog)) {
    bool ok = false;
    QFont chosen = QFontDialog::getFont(&ok, QtFont(*fontDialog->GetFont()), parent, title,
                                        own ? QFontDialog::DontUseNativeDialog : QFontDialog::FontDialogOptions());
    if (!ok) return false;
    TFont* f = fontDialog->GetFont();
    f->SetName(HostString(chosen.family()));
    f->SetHeight(-(chosen.pixelSize() > 0 ? chosen.pixelSize() : chosen.pointSize() * 4 / 3));
    TFontStyles style;
    if (chosen.bold()) style.Include(fsBold);
    if (chosen.italic()) style.Include(fsItalic);
    if (chosen.underline()) style.Include(fsUnderline);
    if (chosen.strikeOut()) style.Include(fsStrikeOut);
    f->SetStyle(style);
    return true;
  }
  if (auto* folder = dynamic_cast<TSelectDirectoryDialog*>(dialog)) {
    QFileDialog::Options options = QFileDialog::ShowDirsOnly;
    if (own) options |= QFileDialog::DontUseNativeDialog;
    QString dir = QFileDialog::getExistingDirectory(parent, title, QtString(folder->GetDirectory()), options);
    if (dir.isEmpty()) return false;
    folder->SetDirectory(HostString(dir));
    return true;
  }
  throw EInvalidOperation(Format("The widget set cannot show %s", {dialog->ClassName()}));
}

TPoint TQtWidgetSet::ScreenSize() const {
  QScreen* screen = QGuiApplication::primaryScreen();
  if (!screen) return TWidgetSet::ScreenSize();
  return {screen->size().width(), screen->size().height()};
}

void FinalizeQtWidgetSet() {
  if (!dynamic_cast<TQtWidgetSet*>(WidgetSet())) return;
  if (Application) Application->DestroyComponents();
  SetWidgetSet(nullptr);
  SetBeepProc(nullptr);
  delete QCoreApplication::instance();
}

TQtWidgetSet* InstallQtWidgetSet() {
  auto ws = std::make_unique<TQtWidgetSet>();
  auto* raw = ws.get();
  SetWidgetSet(std::move(ws));
  SetBeepProc([] { QApplication::beep(); });
  return raw;
}

String InstallChosenWidgetSet(int& argc, char** argv) {
  String name;
  if (const char* env = std::getenv("XEL_WIDGETSET")) name = env;
  const char* option = "--widgetset=";
  for (int i = 1; i < argc; ++i) {
    if (std::strncmp(argv[i], option, std::strlen(option)) != 0) continue;
    name = argv[i] + std::strlen(option);
    for (int k = i; k < argc; ++k) argv[k] = argv[k + 1];
    --argc;
    break;
  }
  if (name == "headless") {
    InstallHeadlessWidgetSet();
    return name;
  }
  if (!name.empty() && name != "qt") throw EInvalidOperation("Unknown widget set: " + name);
  InstallQtWidgetSet();
  return "qt";
}

bool SaveControlImage(TWinControl* control, const String& fileName) {
  if (!dynamic_cast<TQtWidgetSet*>(WidgetSet())) return false;
  QWidget* w = QtWidget(control);
  if (!w) return false;
  QCoreApplication::processEvents(QEventLoop::AllEvents);
  return w->grab().save(QtString(fileName), "PNG");
}

}  // namespace xel

namespace xel {
bool QtOffscreen() { return QCoreApplication::instance() && QGuiApplication::platformName() == "offscreen"; }
}  // namespace xel
