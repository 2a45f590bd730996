#include "app/wait_window.h"

#include <QFontInfo>
#include <QLabel>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextEdit>

#include "app/escape_filter.h"
#include "app/look.h"

namespace lorvan {
namespace {

constexpr int kClientWidthTwips = 3840;
constexpr int kSplashHeightTwips = 2925;      // outer height while loading
constexpr int kStatisticsHeightTwips = 5640;  // outer height as the statistics window
constexpr int kTitleBarTwips = 510;           // outer height less client height
constexpr int kLoadTimerMs = 250;

QLabel* MakeLabel(QWidget* parent, const char* name, const QString& text, const QFont& font,
                  const QColor& colour, QRect place, Qt::Alignment alignment) {
  auto* label = new QLabel(text, parent);
  label->setObjectName(QString::fromLatin1(name));
  label->setFont(font);
  SetTextColour(label, colour);
  label->setAlignment(alignment);
  label->setGeometry(place);
  return label;
}

// Lines one font size apart, as a text box sets them, so that the twelve lines of a box fit.
void SetStatisticsText(QTextEdit* box, QString text) {
  if (text.endsWith(QLatin1Char('\n'))) text.chop(1);  // no empty line after the last one
  box->setPlainText(text);
  QTextBlockFormat format;
  format.setLineHeight(QFontInfo(box->font()).pixelSize(), QTextBlockFormat::FixedHeight);
  QTextCursor cursor(box->document());
  cursor.select(QTextCursor::Document);
  cursor.mergeBlockFormat(format);
}

}  // namespace

WaitWindow::WaitWindow(StopFlag& stop, QWidget* parent)
    : QWidget(parent), escape_filter_(new EscapeFilter(stop, this)) {
  setObjectName(QStringLiteral("frmWait"));
  setWindowTitle(QStringLiteral("Vantir. Lorvan prevoditelj"));
  createWidgets();
  setOuterHeight(kSplashHeightTwips);
  load_timer_.setInterval(kLoadTimerMs);
  connect(&load_timer_, &QTimer::timeout, this, &WaitWindow::onLoadTimerTick);
  load_timer_.start();
}

void WaitWindow::createWidgets() {
  const Qt::Alignment centred = Qt::AlignHCenter | Qt::AlignTop;
  heading_label_ = MakeLabel(this, "Label2", QStringLiteral("Molim sačekajte"), SerifFont(18), Qt::white,
                      TwipsRect(510, 540, 2865, 495), centred);
  subheading_label_ = MakeLabel(this, "Label1", QStringLiteral("Učitavam rječnik!"), SerifFont(18),
                      QColor(255, 255, 0), TwipsRect(570, 1230, 2865, 495), centred);
  lbl_rjecnik_ = MakeLabel(this, "lblRjecnik", QStringLiteral("0"), SansFont(9.75),
                           QColor(255, 255, 128), TwipsRect(90, 2080, 1035, 255), centred);
  copyright_label_ = MakeLabel(this, "Label3", QStringLiteral("Vantir. 2014."), SansFont(8.25, true),
                      QColor(224, 224, 224), TwipsRect(2640, 2100, 1110, 195),
                      Qt::AlignLeft | Qt::AlignTop);
  const int lefts[] = {130, 1940};
  for (int i = 0; i < 2; ++i) {
    auto* box = new QTextEdit(this);
    box->setObjectName(QStringLiteral("txtStatistika%1").arg(i));
    box->setFont(MonoFont(9.75));
    box->setToolTip(QStringLiteral("Statistika rječničke baze"));
    box->setReadOnly(true);
    box->setLineWrapMode(QTextEdit::NoWrap);
    box->document()->setDocumentMargin(2);
    box->setGeometry(TwipsRect(lefts[i], 2550, 1750, 2475));
    txt_statistika_[static_cast<std::size_t>(i)] = box;
  }
}

void WaitWindow::setOuterHeight(int twips) {
  setFixedSize(Twips(kClientWidthTwips), Twips(twips - kTitleBarTwips));
}

void WaitWindow::showLineCount(std::int64_t count) {
  lbl_rjecnik_->setText(QString::number(count));
  lbl_rjecnik_->repaint();
}

void WaitWindow::showStatistics(const StatisticsTexts& texts) {
  SetStatisticsText(txt_statistika_[0], FromCp1250(texts.first));
  SetStatisticsText(txt_statistika_[1], FromCp1250(texts.second));
}

// 256 bands of equal height from RGB(50, 50, 0) at the top to RGB(50, 50, 255) at the bottom.
void WaitWindow::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  const int h = height();
  for (int i = 0; i < 256; ++i) {
    int top = i * h / 256;
    int bottom = (i + 1) * h / 256;
    if (bottom > top) painter.fillRect(0, top, width(), bottom - top, QColor(50, 50, i));
  }
}

void WaitWindow::onLoadTimerTick() {
  load_timer_.stop();
  Q_EMIT loadMainWindow();
  heading_label_->setText(QStringLiteral("Statistika parova"));
  subheading_label_->setText(QStringLiteral("Lorvan rječnika"));
  hide();
  setOuterHeight(kStatisticsHeightTwips);
}

}  // namespace lorvan
