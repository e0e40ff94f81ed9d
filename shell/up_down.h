// A pair of arrows that steps a 16-bit position between a minimum and a
// maximum, without wrapping, and tells its owner after every step. It is
// bound to no other control: the owner copies the position where it is shown.
#pragma once

#include <cstdint>

#include <QWidget>

class UpDown : public QWidget {
  Q_OBJECT

 public:
  enum class Arrow { Up, Down };

  UpDown(std::int16_t minimum, std::int16_t maximum, std::int16_t position, QWidget* parent);

  std::int16_t Position() const { return Value; }
  // Kept within the range, as the arrows keep it.
  void SetPosition(int position);
  std::int16_t Minimum() const { return Low; }
  std::int16_t Maximum() const { return High; }

 signals:
  // Sent for every press of an arrow, also when the position is already at
  // the limit in that direction.
  void Click(UpDown::Arrow arrow);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;

 private:
  void Step(Arrow arrow);
  QRect ArrowRect(Arrow arrow) const;

  std::int16_t Low;
  std::int16_t High;
  std::int16_t Value;
  bool Pressed = false;
  Arrow PressedArrow = Arrow::Up;
};
