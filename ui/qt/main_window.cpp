#include "ui/qt/main_window.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLocale>
#include <QScreen>
#include <QVBoxLayout>
#include <array>
#include <optional>
#include <string_view>

#include "report/report.h"
#include "ui/double_click.h"
#include "ui/qt/application.h"
#include "ui/qt/balloon_hint.h"
#include "ui/qt/balloon_icon.h"
#include "ui/qt/folder_list_model.h"
#include "ui/qt/folder_list_view.h"
#include "ui/qt/picture_button.h"
#include "ui/qt/text.h"

namespace tarnwick::ui {

namespace {

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

MainWindow::MainWindow(platform::Platform& platform, QWidget* parent)
    : QWidget(parent),
      platform_(platform),
      computerInfo_(platform),
      list_(platform, computerInfo_),
      launcher_(platform) {
  setObjectName(QStringLiteral("mainWindow"));
  setWindowTitle(QString::fromLatin1(WindowCaption));
  setFont(WindowFont());
  launcher_.Action = "Explore";
  // Every hint of the application is a balloon from here on, before any can show.
  il1_ = MakeBalloonImageList(this);
  balloonHint_ = MakeProgramBalloonHint(this, il1_);

  model_ = new FolderListModel(list_, this);

  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->setSpacing(0);
  buildToolbar();
  buildListPanel();
  layout->addWidget(pnl1_);
  layout->addWidget(pnl2_, 1);
  setTabOrder();
  resize(DesignClientWidth, DesignClientHeight);

  SurveyRunner::Events events;
  events.status = [this](const std::string& text) { stat1_->setText(ToQString(text)); };
  events.rowsHandedBack = [this](std::size_t first, std::size_t last) {
    model_->rowsChanged(first, last);
  };
  events.progress = [this](const std::string& text) { progress1_->setText(ToQString(text)); };
  events.finished = [this](std::exception_ptr failure) { onSurveyFinished(failure); };
  runner_ = std::make_unique<SurveyRunner>(list_, windowThread_, sampler_, std::move(events));
  runner_->countText = [](std::uint64_t count) {
    return ToBytes(QLocale().toString(qulonglong(count)));
  };
  model_->setRunner(runner_.get());

  FormCreate();
  btn1_->setFocus();
}

MainWindow::~MainWindow() {
  // The run's thread writes the rows; it must be gone before they are.
  model_->setRunner(nullptr);
  runner_.reset();
}

bool MainWindow::surveyRunning() const { return runner_->running(); }

PictureButton* MainWindow::addButton(const ToolbarButton& entry, void (MainWindow::*handler)()) {
  auto* button =
      new PictureButton(QString::fromLatin1(entry.caption),
                        QString::fromLatin1(entry.picture) + QStringLiteral(".svg"), pnl1_);
  button->setObjectName(QString::fromLatin1(entry.name));
  button->setFixedSize(ButtonWidth, ButtonHeight);
  button->setToolTip(QString::fromLatin1(entry.hint));
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
  const struct {
    const char* name;
    PictureButton** field;
    void (MainWindow::*handler)();
  } wiring[] = {{"btn1", &btn1_, &MainWindow::btn1Click}, {"btn2", &btn2_, &MainWindow::btn2Click},
                {"btn3", &btn3_, &MainWindow::btn3Click}, {"btn4", &btn4_, &MainWindow::btn4Click},
                {"btn5", &btn5_, &MainWindow::btn5Click}, {"btn6", &btn6_, &MainWindow::btn6Click},
                {"btn7", &btn7_, &MainWindow::btn7Click}};
  bool rightGroup = false;
  for (const ToolbarButton& entry : ToolbarButtons) {
    if (entry.followsRightEdge && !rightGroup) {
      rightGroup = true;
      row->addStretch(1);
    }
    for (const auto& w : wiring) {
      if (std::string_view(w.name) != entry.name) continue;
      *w.field = addButton(entry, w.handler);
      row->addWidget(*w.field);
    }
  }
}

void MainWindow::buildListPanel() {
  pnl2_ = RaisedPanel("pnl2", this);
  auto* column = new QVBoxLayout(pnl2_);
  column->setContentsMargins(0, 0, 0, 0);
  column->setSpacing(0);

  lv1_ = new FolderListView(pnl2_);
  lv1_->setObjectName(QStringLiteral("lv1"));
  lv1_->setModel(model_);
  lv1_->setToolTip(QString::fromLatin1(ListHint));
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
  std::array<QWidget*, ToolbarButtons.size()> byTab{};
  for (const ToolbarButton& entry : ToolbarButtons)
    byTab.at(static_cast<std::size_t>(entry.tabOrder)) =
        pnl1_->findChild<QWidget*>(QString::fromLatin1(entry.name));
  QWidget* previous = nullptr;
  for (QWidget* next : byTab) {
    if (previous) QWidget::setTabOrder(previous, next);
    previous = next;
  }
  QWidget::setTabOrder(previous, lv1_);
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
  std::optional<std::size_t> row;
  if (!selected.isEmpty()) row = static_cast<std::size_t>(selected.first().row());
  OpenDoubleClickedFolder(list_.rows(), row, platform_, launcher_);
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
  const QRect area = desktop->virtualGeometry();
  const QSize outer = frameGeometry().size();
  const Point place = DesktopCenter(Rect::fromSize(area.x(), area.y(), area.width(), area.height()),
                                    {outer.width(), outer.height()});
  move(place.x, place.y);
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
