#include "ui/qt/about_box.h"

#include <QDesktopServices>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QScreen>
#include <QUrl>

#include "report/report.h"
#include "ui/qt/main_window.h"
#include "ui/qt/picture_box.h"
#include "ui/qt/shadow_label.h"

// Resources of a static library are registered only when something refers to them.
static void InitAboutBoxResources() { Q_INIT_RESOURCE(about_box); }

namespace tarnwick::ui {

namespace {

const char* const HintProperty = "hint";

const QColor LinkHoverColour(0, 0, 255);
const QColor LinkIdleColour(0, 0, 0);

// "MS Sans Serif" where the system has it, else the platform's own sans serif, at pixel sizes.
QFont AboutFont(int pixelSize, bool bold = false) {
  QFont font;
  font.setFamilies({QStringLiteral("MS Sans Serif"),
                    QFontDatabase::systemFont(QFontDatabase::GeneralFont).family()});
  font.setStyleHint(QFont::SansSerif);
  font.setPixelSize(pixelSize);
  font.setBold(bold);
  return font;
}

// A panel with a double bevel: a lowered ring outside a raised one, each 2 pixels wide.
class BevelPanel : public QWidget {
 public:
  explicit BevelPanel(QWidget* parent) : QWidget(parent) {
    setBackgroundRole(QPalette::Button);
    setAutoFillBackground(true);
  }

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QColor shadow = palette().color(QPalette::Dark);
    const QColor highlight = palette().color(QPalette::Light);
    drawRings(painter, 0, shadow, highlight);
    drawRings(painter, 2, highlight, shadow);
  }

 private:
  void drawRings(QPainter& painter, int inset, QColor topLeft, QColor bottomRight) {
    for (int ring = inset; ring < inset + 2; ++ring) {
      const QRect box = rect().adjusted(ring, ring, -ring, -ring);
      painter.fillRect(box.left(), box.top(), box.width() - 1, 1, topLeft);
      painter.fillRect(box.left(), box.top(), 1, box.height() - 1, topLeft);
      painter.fillRect(box.left(), box.bottom(), box.width(), 1, bottomRight);
      painter.fillRect(box.right(), box.top(), 1, box.height(), bottomRight);
    }
  }
};

// A label in the window's text colour. On the button face a label would otherwise take the
// button text colour.
QLabel* WindowTextLabel(const QString& text, QWidget* parent) {
  auto* label = new QLabel(text, parent);
  label->setForegroundRole(QPalette::WindowText);
  return label;
}

QImage Picture(const char* name) {
  QImage image(QStringLiteral(":/about_box/%1.png").arg(QLatin1String(name)));
  Q_ASSERT(!image.isNull());
  return image;
}

bool IsClick(QEvent* event, const QWidget* control) {
  if (event->type() != QEvent::MouseButtonRelease) return false;
  const auto* mouse = static_cast<QMouseEvent*>(event);
  return mouse->button() == Qt::LeftButton && control->rect().contains(mouse->position().toPoint());
}

}  // namespace

AboutBox::AboutBox(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint |
                          Qt::MSWindowsFixedSizeDialogHint),
      opener_([](const QString& target) { QDesktopServices::openUrl(QUrl(target)); }) {
  InitAboutBoxResources();
  setObjectName(QStringLiteral("aboutBox"));
  setWindowTitle(QStringLiteral("About Tarnwick 1.0"));
  setFixedSize(298, 287);
  setBackgroundRole(QPalette::Button);
  setAutoFillBackground(true);
  setFont(AboutFont(11));

  const QString address = QString::fromUtf8(ProjectWebAddress);

  // Created bottom to top: a later control lies over an earlier one.
  image3_ = new PictureBox(Picture("check_mark"), PictureBox::Fit::OwnSize, this);
  image3_->setObjectName(QStringLiteral("image3"));
  image3_->setGeometry(128, 233, 48, 48);

  panel1_ = new BevelPanel(this);
  panel1_->setObjectName(QStringLiteral("Panel1"));
  panel1_->setGeometry(9, 8, 281, 218);

  creditLabel_ =
      new QLabel(QStringLiteral("Tarnwick, freeware by The Tarnwick Project 2026"), panel1_);
  creditLabel_->setObjectName(QStringLiteral("CreditLabel"));
  creditLabel_->setGeometry(3, 34, 273, 13);
  creditLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  comments_ = WindowTextLabel(QString::fromUtf8(ProjectWebHost), panel1_);
  comments_->setObjectName(QStringLiteral("Comments"));
  comments_->setGeometry(3, 69, 273, 13);
  comments_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  comments_->setWordWrap(true);
  comments_->setProperty(HintProperty, address);
  comments_->setMouseTracking(true);

  image1_ = new PictureBox(Picture("maker"), PictureBox::Fit::OwnSize, panel1_);
  image1_->setObjectName(QStringLiteral("Image1"));
  image1_->setGeometry(71, 95, 145, 105);
  image1_->setProperty(HintProperty, address);
  image1_->setMouseTracking(true);

  titleLabel_ = new ShadowLabel(QStringLiteral("Tarnwick 1.0"), panel1_);
  titleLabel_->setObjectName(QStringLiteral("titleLabel"));
  titleLabel_->setGeometry(3, 0, 273, 32);
  titleLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
  titleLabel_->setFont(AboutFont(19, true));

  descriptionLabel_ =
      new SchemeLabel(QStringLiteral("Get special folders location and size"), panel1_);
  descriptionLabel_->setObjectName(QStringLiteral("descriptionLabel"));
  descriptionLabel_->setGeometry(3, 53, 273, 13);
  descriptionLabel_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);

  // Decoration only: the pointer over the frame is over the picture beneath it.
  image4_ = new PictureBox(Picture("golden_frame"), PictureBox::Fit::Stretch, panel1_);
  image4_->setObjectName(QStringLiteral("image4"));
  image4_->setGeometry(59, 83, 168, 128);
  image4_->setAttribute(Qt::WA_TransparentForMouseEvents);

  for (QWidget* control : {static_cast<QWidget*>(comments_), static_cast<QWidget*>(image1_),
                           static_cast<QWidget*>(image3_)}) {
    control->installEventFilter(this);
  }
}

void AboutBox::setOpener(Opener opener) { opener_ = std::move(opener); }

QString AboutBox::HintOf(const QWidget* control) {
  return control->property(HintProperty).toString();
}

bool AboutBox::eventFilter(QObject* watched, QEvent* event) {
  const QEvent::Type type = event->type();
  if (watched == comments_) {
    if (type == QEvent::MouseMove) CommentsMouseMove();
    if (type == QEvent::Leave) CommentsMouseLeave();
    if (IsClick(event, comments_)) CommentsClick();
  } else if (watched == image1_) {
    if (type == QEvent::MouseMove) Image1MouseMove();
    if (type == QEvent::Leave) Image1MouseLeave();
    if (IsClick(event, image1_)) Image1Click();
  } else if (watched == image3_) {
    if (type == QEvent::Enter) image3MouseEnter();
    if (type == QEvent::Leave) image3MouseLeave();
    if (IsClick(event, image3_)) image3Click();
  }
  return QDialog::eventFilter(watched, event);
}

void AboutBox::showEvent(QShowEvent* event) {
  QRect frame = frameGeometry();
  frame.moveCenter(screen()->geometry().center());
  move(frame.topLeft());
  QDialog::showEvent(event);
}

void AboutBox::hideEvent(QHideEvent* event) {
  // A click that closes the window leaves the pointer over the check mark; the system may never
  // report that leave, so it is answered here and the mark is back in place for the next show.
  image3MouseLeave();
  QDialog::hideEvent(event);
}

void AboutBox::CommentsMouseMove() {
  comments_->setCursor(Qt::PointingHandCursor);
  QPalette colours = comments_->palette();
  colours.setColor(QPalette::WindowText, LinkHoverColour);
  comments_->setPalette(colours);
}

void AboutBox::CommentsMouseLeave() {
  comments_->setCursor(Qt::ArrowCursor);
  QPalette colours = comments_->palette();
  colours.setColor(QPalette::WindowText, LinkIdleColour);
  comments_->setPalette(colours);
}

void AboutBox::CommentsClick() { openHint(comments_); }

void AboutBox::Image1MouseMove() { image1_->setCursor(Qt::PointingHandCursor); }

void AboutBox::Image1MouseLeave() { image1_->setCursor(Qt::ArrowCursor); }

void AboutBox::Image1Click() { openHint(image1_); }

void AboutBox::image3MouseEnter() {
  if (image3Hovered_) return;
  image3Hovered_ = true;
  image3_->move(image3_->pos() + QPoint(2, 2));
  image3_->setCursor(Qt::PointingHandCursor);
}

void AboutBox::image3MouseLeave() {
  if (!image3Hovered_) return;
  image3Hovered_ = false;
  image3_->move(image3_->pos() - QPoint(2, 2));
  image3_->setCursor(Qt::ArrowCursor);
}

void AboutBox::image3Click() { reject(); }

void AboutBox::openHint(const QWidget* control) { opener_(HintOf(control)); }

AboutBox* CreateAboutBox(MainWindow& mainWindow) {
  auto* aboutBox = new AboutBox(&mainWindow);
  // The result of the modal display is of no use: the window only informs.
  mainWindow.showAbout = [aboutBox] { aboutBox->exec(); };
  return aboutBox;
}

}  // namespace tarnwick::ui
