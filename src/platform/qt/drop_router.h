#pragma once
// Takes drops on a set of widgets and hands each drop's data to the handler registered for
// the widget it landed on. The widgets' own drop handling (a line edit's text insertion) is
// bypassed: the core decides what a drop does.
#include <QObject>
#include <functional>
#include <map>

#include "main/drop_data.h"

class QWidget;

namespace velto {

class DropRouter : public QObject {
 public:
  using Handler = std::function<void(const DropData&)>;
  explicit DropRouter(QObject* parent) : QObject(parent) {}

  // Drops on the widget go to the handler; a disabled widget passes its drops to fallback
  // (as the system would deliver them to the window beneath).
  void Route(QWidget& widget, Handler handler, Handler fallback = {});

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  struct Target {
    Handler handler;
    Handler fallback;
  };
  std::map<const QObject*, Target> targets_;
};

}  // namespace velto
