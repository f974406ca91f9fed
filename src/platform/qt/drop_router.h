#pragma once
// Takes drops on a set of widgets and hands each drop's data, with the target the widget
// stands for, to the handler. The widgets' own drop handling (a line edit's text insertion) is
// bypassed: the core decides what a drop does.
#include <QObject>
#include <functional>
#include <map>

#include "main/bar_events.h"
#include "main/drop_data.h"

class QWidget;

namespace velto {

class DropRouter : public QObject {
 public:
  using Handler = std::function<void(DropTargetRef target, const DropData& data)>;
  DropRouter(QObject* parent, Handler handler) : QObject(parent), handler_(std::move(handler)) {}

  // Drops on the widget are drops on target.
  void Route(QWidget& widget, DropTargetRef target);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  Handler handler_;
  std::map<const QObject*, DropTargetRef> targets_;
};

}  // namespace velto
