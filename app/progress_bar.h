// Picture1 with the progress bar cmdPicture: 21 caption-less buttons side by side, of which
// the run colours elements 0 to 19; element 20 lies almost wholly outside the frame.
#pragma once

#include <QColor>
#include <QFrame>
#include <array>

class QPushButton;

namespace lorvan {

inline constexpr int kBarButtons = 21;
inline constexpr int kProgressElements = 20;  // elements 0 to 19 show a run's progress

class ProgressBar : public QFrame {
  Q_OBJECT

 public:
  explicit ProgressBar(QWidget* parent = nullptr);

  // Gives elements first to last (both included) colour.
  void colour(int first, int last, const QColor& colour);
  QPushButton* element(int index) const { return cmd_picture_[static_cast<std::size_t>(index)]; }

 private:
  std::array<QPushButton*, kBarButtons> cmd_picture_;
};

}  // namespace lorvan
