// Keys typed into whichever control has the focus, as a user's keys go, with
// the event loop run after each.
#pragma once

#include <QApplication>
#include <QTest>

#include "platform/ui/Controls.h"

inline void PressKey(TControl* Fallback, Qt::Key K, Qt::KeyboardModifiers Mods = Qt::NoModifier) {
  QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Fallback->View(), K, Mods);
  QApplication::processEvents();
}

inline void TypeKeys(TControl* Fallback, const QString& Text) {
  for (QChar c : Text) {
    QTest::keyClick(QApplication::focusWidget() ? QApplication::focusWidget() : Fallback->View(), c.toLatin1());
    QApplication::processEvents();
  }
}
