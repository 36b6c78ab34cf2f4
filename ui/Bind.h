#pragma once
// Binds a form's handler method to an event in one short line:
//   btnOpenPhoto->OnClick = ui::Bind(this, &TLMTSEditorWndClass::btnOpenPhotoClick);
#include <functional>
#include <utility>

namespace ui {

template <class T, class R, class... Args>
std::function<R(Args...)> Bind(T* self, R (T::*method)(Args...)) {
    return [self, method](Args... args) -> R { return (self->*method)(std::forward<Args>(args)...); };
}

} // namespace ui
