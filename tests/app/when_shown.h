// Acts on a modal dialog once its event loop runs.
#pragma once

#include <QApplication>
#include <QTimer>

#include <functional>

namespace test {

template <class T>
void whenShown(std::function<void(T *)> act) {
    QTimer::singleShot(0, [act] {
        if (T *dialog = qobject_cast<T *>(QApplication::activeModalWidget()))
            act(dialog);
        else
            whenShown<T>(act);
    });
}

}  // namespace test
