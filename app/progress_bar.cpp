#include "app/progress_bar.h"

#include <qdrawutil.h>

#include <QPainter>
#include <QPushButton>

#include "app/look.h"

namespace lorvan {
namespace {

constexpr int kButtonWidthTwips = 160;
constexpr int kButtonHeightTwips = 375;
constexpr int kButtonStepTwips = 150;

// A bar element: a raised panel filled with the button colour, the colour shown as it is.
class BarElement : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QBrush fill = palette().brush(QPalette::Button);
    qDrawShadePanel(&painter, rect(), palette(), isDown(), 1, &fill);
  }
};

}  // namespace

ProgressBar::ProgressBar(QWidget* parent) : QFrame(parent) {
  setObjectName(QStringLiteral("Picture1"));
  setFrameStyle(QFrame::Panel | QFrame::Sunken);
  setLineWidth(1);
  for (int i = 0; i < kBarButtons; ++i) {
    auto* button = new BarElement(this);
    button->setObjectName(QStringLiteral("cmdPicture%1").arg(i));
    button->setFocusPolicy(Qt::NoFocus);
    button->setGeometry(1 + Twips(i * kButtonStepTwips), 1, Twips(kButtonWidthTwips),
                        Twips(kButtonHeightTwips));
    cmd_picture_[static_cast<std::size_t>(i)] = button;
  }
  // The frame ends just past element 19, so that element 20 barely shows.
  setFixedSize(2 + Twips(20 * kButtonStepTwips) + 1, 2 + Twips(kButtonHeightTwips));
}

// A run colours the bar at every whole percent of every file: an element is given a new
// palette only when its colour changes, since setting one costs far more than the check.
void ProgressBar::colour(int first, int last, const QColor& colour) {
  for (int i = std::max(first, 0); i <= last && i < kBarButtons; ++i) {
    QPushButton* element = cmd_picture_[static_cast<std::size_t>(i)];
    if (ButtonColour(element) != colour) SetButtonColour(element, colour);
  }
}

}  // namespace lorvan
