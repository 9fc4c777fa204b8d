#pragma once

#include <QObject>
#include <QPointer>
#include <QRect>
#include <QWidget>
#include <functional>
#include <vector>

// The bars that lie along an edit area placed by geometry (the find bar below
// it, the notice of a file changed on disk above it). While a bar is docked it
// takes a strip of the editor's rectangle, at the top or the bottom, and the
// editor is shortened by as much; undocked, the editor gets the room back.
// Geometry the owner gives the editor meanwhile is followed. Each bar takes
// at most half of the room the bars docked before it left to the editor, so
// bars on both edges never hide each other or the editor.
//
// One per editor, made on first use as the editor's Qt child.
class EditorStrips : public QObject {
    Q_OBJECT
  public:
    enum class Edge { Top, Bottom };
    // The height a bar wants at a width (it may arrange itself for it first).
    using Height = std::function<int(int width)>;

    static EditorStrips* of(QWidget* editor);

    void dock(QWidget* bar, Edge edge, Height height);
    void undock(QWidget* bar);
    bool is_docked(const QWidget* bar) const;
    // A docked bar's wanted height changed.
    void update();

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    explicit EditorStrips(QWidget* editor);
    void place();

    struct Strip {
        QPointer<QWidget> bar;
        Edge edge;
        Height height;
        int taken = 0;
    };
    QWidget* editor_;
    std::vector<Strip> strips_;
    QRect full_;      // the rectangle the owner gave the editor
    QRect shortened_; // the editor's rectangle while bars are docked
    bool placing_ = false;
};
