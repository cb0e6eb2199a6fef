#pragma once

#include <QImage>
#include <QPoint>
#include <QWidget>
#include <functional>

namespace korvane {

// The main window's scroll thumb: a child window over the track that shows the thumb image with a
// released and a pressed look and can be dragged vertically within the track. Every accepted move is
// reported (posted, as a queued call) to the owner with the thumb's new top.
class CGdipButton : public QWidget {
 public:
  using MovedCallback = std::function<void(int newTop)>;
  // parentFace is the parent's canvas; the thumb's looks are composed over the part of it beneath.
  CGdipButton(QWidget* parent, const QImage& parentFace, MovedCallback moved);

  void MoveToTop(int top);

 protected:
  void paintEvent(QPaintEvent* event) override;
  void mousePressEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void mouseMoveEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;

 private:
  const QImage& parentFace_;
  MovedCallback moved_;
  QImage pressedLook_;   // the thumb image as it is (straight alpha)
  QImage releasedLook_;  // brightened
  bool dragging_ = false;
  QPoint pressPoint_;
};

}  // namespace korvane
