// The arrows are drawn with the application's style so they match the
// buttons beside them; the position moves on the press, not the release, so a
// click is felt at once.
#include "shell/up_down.h"

#include <algorithm>

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QStyleOption>

UpDown::UpDown(std::int16_t minimum, std::int16_t maximum, std::int16_t position, QWidget* parent)
    : QWidget(parent), Low(minimum), High(maximum), Value(std::clamp(position, minimum, maximum)) {
  // Reached with the Tab key, but a click on an arrow leaves the focus where
  // it was, so an edit being typed into is not left by stepping.
  setFocusPolicy(Qt::TabFocus);
}

void UpDown::SetPosition(int position) {
  const auto clamped = static_cast<std::int16_t>(std::clamp<int>(position, Low, High));
  if (clamped == Value) return;
  Value = clamped;
  update();
}

void UpDown::Step(Arrow arrow) {
  if (arrow == Arrow::Up && Value < High) ++Value;
  if (arrow == Arrow::Down && Value > Low) --Value;
  emit Click(arrow);
}

QRect UpDown::ArrowRect(Arrow arrow) const {
  const int half = height() / 2;
  return arrow == Arrow::Up ? QRect(0, 0, width(), half) : QRect(0, half, width(), height() - half);
}

void UpDown::paintEvent(QPaintEvent*) {
  QPainter painter(this);
  for (const Arrow arrow : {Arrow::Up, Arrow::Down}) {
    QStyleOptionButton button;
    button.initFrom(this);
    button.rect = ArrowRect(arrow);
    const bool down = Pressed && PressedArrow == arrow;
    button.state |= down ? QStyle::State_Sunken : QStyle::State_Raised;
    style()->drawPrimitive(QStyle::PE_PanelButtonBevel, &button, &painter, this);

    QStyleOption indicator;
    indicator.initFrom(this);
    indicator.rect = button.rect.adjusted(2, 1, -2, -1);
    if (down) indicator.rect.translate(1, 1);
    style()->drawPrimitive(arrow == Arrow::Up ? QStyle::PE_IndicatorArrowUp : QStyle::PE_IndicatorArrowDown,
                           &indicator, &painter, this);
  }
  if (hasFocus()) {
    QStyleOptionFocusRect focus;
    focus.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &focus, &painter, this);
  }
}

void UpDown::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mousePressEvent(event);
  Pressed = true;
  PressedArrow = ArrowRect(Arrow::Up).contains(event->position().toPoint()) ? Arrow::Up : Arrow::Down;
  update();
  Step(PressedArrow);
}

void UpDown::mouseReleaseEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) return QWidget::mouseReleaseEvent(event);
  Pressed = false;
  update();
}

void UpDown::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Up) return Step(Arrow::Up);
  if (event->key() == Qt::Key_Down) return Step(Arrow::Down);
  QWidget::keyPressEvent(event);
}
