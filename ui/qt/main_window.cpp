#include "ui/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QMetaObject>
#include <QScreen>
#include <QVBoxLayout>

#include "report/report.h"
#include "ui/qt/application.h"
#include "ui/qt/balloon_hint.h"
#include "ui/qt/balloon_icon.h"
#include "ui/qt/folder_list_model.h"
#include "ui/qt/folder_list_view.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/survey_runner.h"
#include "ui/qt/text.h"

namespace tarnwick::ui {

namespace {

constexpr int ToolbarHeight = 73;
constexpr int ButtonWidth = 70;
constexpr int ButtonHeight = 65;
constexpr int ButtonMargin = 3;
constexpr int StatusHeight = 19;

QFrame* RaisedPanel(const char* name, QWidget* parent) {
  auto* panel = new QFrame(parent);
  panel->setObjectName(QString::fromLatin1(name));
  panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
  panel->setLineWidth(1);
  panel->setFocusPolicy(Qt::NoFocus);
  return panel;
}

// Tahoma at 11 pixels where the system has it, else the system's own face at that height.
QFont WindowFont() {
  QFont font = QApplication::font();
  if (QFontDatabase::hasFamily(QStringLiteral("Tahoma"))) font.setFamily(QStringLiteral("Tahoma"));
  font.setPixelSize(11);
  return font;
}

// The status line keeps the system's status-bar font rather than inheriting the window's.
QFont StatusFont() {
  QFont font = QApplication::font("QStatusBar");
  font.setFamily(font.family());
  if (font.pixelSize() > 0)
    font.setPixelSize(font.pixelSize());
  else
    font.setPointSizeF(font.pointSizeF());
  return font;
}

}  // namespace

QPoint DesktopCenter(const QRect& desktop, const QSize& window) {
  const int left = desktop.width() / 2 + desktop.left() - window.width() / 2;
  const int top = desktop.height() / 2 + desktop.top() - window.height() / 2;
  return {std::max(left, desktop.left()), std::max(top, desktop.top())};
}

MainWindow::MainWindow(platform::Platform& platform, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      computerInfo_(platform),
      list_(platform, computerInfo_),
      launcher_(platform) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QStringLiteral("Tarnwick 1.0"));
  setFont(WindowFont());
  launcher_.Action = "Explore";
  launcher_.Timeout = -1;
  // Every hint of the application is a balloon from here on, before any can show.
  il1_ = MakeBalloonImageList(this);
  balloonHint_ = MakeProgramBalloonHint(this, il1_);

  model_ = new FolderListModel(list_, this);
  runner_ = new SurveyRunner(list_, *model_, this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  buildToolbar();
  buildListPanel();
  layout->addWidget(pnl1_);
  layout->addWidget(pnl2_, 1);
  setTabOrder();
  resize(DesignWidth, DesignHeight);

  // Status texts may come from the survey's thread; they are shown in the order they were set.
  list_.setStatusSink([label = stat1_](const std::string& text) {
    QMetaObject::invokeMethod(
        label, [label, shown = ToQString(text)] { label->setText(shown); }, Qt::AutoConnection);
  });
  connect(runner_, &SurveyRunner::progressChanged, progress1_, &QLabel::setText);
  connect(runner_, &SurveyRunner::finished, this, &MainWindow::onSurveyFinished);

  FormCreate();
  btn1_->setFocus();
}

MainWindow::~MainWindow() {
  // The run's thread writes the rows; it must be gone before they are.
  delete runner_;
  list_.setStatusSink({});
}

bool MainWindow::surveyRunning() const { return runner_->running(); }

PictureButton* MainWindow::addButton(const char* name, const QString& caption,
                                     const QString& picture, const QString& hint,
                                     void (MainWindow::*handler)()) {
  auto* button = new PictureButton(caption, picture, pnl1_);
  button->setObjectName(QString::fromLatin1(name));
  button->setFixedSize(ButtonWidth, ButtonHeight);
  button->setToolTip(hint);
  connect(button, &QPushButton::clicked, this, [this, handler] {
    // While a run lasts the commands are not taken; "Exit" closes, which stops the run.
    if (surveyRunning() && handler != &MainWindow::btn4Click) return;
    RunGuarded([this, handler] { (this->*handler)(); });
  });
  return button;
}

void MainWindow::buildToolbar() {
  pnl1_ = RaisedPanel("pnl1", this);
  pnl1_->setFixedHeight(ToolbarHeight);
  auto* row = new QHBoxLayout(pnl1_);
  row->setContentsMargins(ButtonMargin, ButtonMargin, ButtonMargin, ButtonMargin);
  row->setSpacing(2 * ButtonMargin);
  btn1_ = addButton("btn1", QStringLiteral("Get Data"), QStringLiteral("get_data.svg"),
                    QStringLiteral("Retrieve information for selected special folders"),
                    &MainWindow::btn1Click);
  btn2_ = addButton("btn2", QStringLiteral("Select All"), QStringLiteral("select_all.svg"),
                    QStringLiteral("Select all folders"), &MainWindow::btn2Click);
  btn3_ = addButton("btn3", QStringLiteral("Select None"), QStringLiteral("select_none.svg"),
                    QStringLiteral("Unselect folders"), &MainWindow::btn3Click);
  btn6_ = addButton("btn6", QStringLiteral("Export"), QStringLiteral("export.svg"),
                    QStringLiteral("Export selected folders information to a csv file"),
                    &MainWindow::btn6Click);
  btn7_ = addButton("btn7", QStringLiteral("Clear"), QStringLiteral("clear.svg"),
                    QStringLiteral("Clear the listview"), &MainWindow::btn7Click);
  btn5_ = addButton("btn5", QStringLiteral("About..."), QStringLiteral("about.svg"),
                    QStringLiteral("About Tarnwick"), &MainWindow::btn5Click);
  btn4_ = addButton("btn4", QStringLiteral("Exit"), QStringLiteral("exit.svg"),
                    QStringLiteral("Exit Tarnwick"), &MainWindow::btn4Click);
  for (QWidget* button : {btn1_, btn2_, btn3_, btn6_, btn7_}) row->addWidget(button);
  row->addStretch(1);
  row->addWidget(btn5_);
  row->addWidget(btn4_);
}

void MainWindow::buildListPanel() {
  pnl2_ = RaisedPanel("pnl2", this);
  auto* column = new QVBoxLayout(pnl2_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  lv1_ = new FolderListView(pnl2_);
  lv1_->setObjectName(QStringLiteral("lv1"));
  lv1_->setModel(model_);
  lv1_->setToolTip(
      QStringLiteral("Special folders list, double click on a populated folder to explore it"));
  connect(lv1_, &FolderListView::listDoubleClicked, this, [this] {
    if (surveyRunning()) return;
    RunGuarded([this] { lv1DblClick(); });
  });
  column->addWidget(lv1_, 1);

  // The status line: one plain text field, and beside it what a run is doing or left unread.
  auto* statusLine = new QWidget(pnl2_);
  statusLine->setFixedHeight(StatusHeight);
  auto* fields = new QHBoxLayout(statusLine);
  fields->setContentsMargins(3, 0, 3, 0);
  fields->setSpacing(8);
  stat1_ = new QLabel(statusLine);
  stat1_->setObjectName(QStringLiteral("stat1"));
  progress1_ = new QLabel(statusLine);
  progress1_->setObjectName(QStringLiteral("progress1"));
  progress1_->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
  for (QLabel* label : {stat1_, progress1_}) {
    label->setFont(StatusFont());
    label->setFocusPolicy(Qt::NoFocus);
    label->setTextFormat(Qt::PlainText);
  }
  fields->addWidget(stat1_, 1);
  fields->addWidget(progress1_);
  column->addWidget(statusLine);
}

void MainWindow::setTabOrder() {
  const QWidget* order[] = {btn1_, btn2_, btn3_, btn4_, btn5_, btn6_, btn7_, lv1_};
  for (std::size_t i = 1; i < std::size(order); ++i)
    QWidget::setTabOrder(const_cast<QWidget*>(order[i - 1]), const_cast<QWidget*>(order[i]));
}

void MainWindow::FormCreate() {
  readRegionalSettings();
  model_->createBasicList();
}

void MainWindow::btn1Click() { runner_->start(SurveyRunner::Job::Survey); }

void MainWindow::btn2Click() {
  list_.SelectAll();
  model_->rowsChanged();
}

void MainWindow::btn3Click() {
  list_.SelectNone();
  model_->rowsChanged();
}

void MainWindow::btn4Click() { close(); }

void MainWindow::btn5Click() {
  if (showAbout) showAbout();
}

void MainWindow::btn6Click() { ExportReport(platform_, list_, computerInfo_); }

void MainWindow::btn7Click() { runner_->start(SurveyRunner::Job::Clear); }

void MainWindow::lv1DblClick() {
  const QModelIndexList selected = lv1_->selectionModel()->selectedRows();
  if (selected.isEmpty()) return;
  const FolderRow& row = list_.rows()[static_cast<std::size_t>(selected.first().row())];
  if (!row.Checked || row.SubItems.empty()) return;
  const std::string& location = row.SubItems.front();
  // The folder may have been replaced by a file or a program since the survey; the shell would
  // open or run that, so only a directory is handed over.
  if (!platform_.directoryExists(location)) return;
  launcher_.FileName = location;
  launcher_.OpenWithShell();
}

void MainWindow::onSurveyFinished(std::exception_ptr failure) {
  if (settingsChangedDuringRun_) readRegionalSettings();
  if (failure) {
    RunGuarded([failure] { std::rethrow_exception(failure); });
  }
  emit surveyFinished();
  if (closeAfterRun_) close();
}

void MainWindow::readRegionalSettings() {
  // The run's thread reads the settings; a change announced meanwhile waits for its end.
  settingsChangedDuringRun_ = surveyRunning();
  if (!settingsChangedDuringRun_) list_.setRegionalSettings(ReadRegionalSettings(platform_));
}

void MainWindow::applyOuterMinimum() {
  const QSize frame = frameGeometry().size() - geometry().size();
  setMinimumSize(std::max(0, MinimumOuterWidth - frame.width()),
                 std::max(0, MinimumOuterHeight - frame.height()));
}

void MainWindow::placeOnDesktop() {
  const QScreen* desktop = screen() ? screen() : QGuiApplication::primaryScreen();
  if (!desktop) return;
  move(DesktopCenter(desktop->virtualGeometry(), frameGeometry().size()));
}

void MainWindow::showEvent(QShowEvent* event) {
  applyOuterMinimum();
  if (!placed_) {
    placed_ = true;
    placeOnDesktop();
  }
  QWidget::showEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event) {
  if (surveyRunning()) {
    // The run stops first; the window closes as soon as it has.
    closeAfterRun_ = true;
    runner_->stop();
    event->ignore();
    return;
  }
  event->accept();
}

void MainWindow::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Escape && surveyRunning()) {
    runner_->stop();
    return;
  }
  QWidget::keyPressEvent(event);
}

void MainWindow::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LocaleChange) readRegionalSettings();
  QWidget::changeEvent(event);
}

}  // namespace tarnwick::ui
