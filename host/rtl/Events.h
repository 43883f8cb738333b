#pragma once

// A Delphi event is a bound method: a code address and the object it is called
// on. TEvent holds both as plain values, so a saved handler compares equal to
// the one it was taken from and can be put back whole.
//
//   FOldOnShow = Form->OnShow();
//   Form->SetOnShow(TNotifyEvent::Of<&TORVExpert::prvEvenFrmOnShow>(this));
//
// Code is a thunk instantiated once per member function, so two handlers are
// equal exactly when they name the same method of the same object.

#include <type_traits>
#include <utility>

class TObject;

namespace tabulon_detail {
template <class M>
struct MethodClass;
template <class C, class R, class... A>
struct MethodClass<R (C::*)(A...)> {
  using Type = C;
};
}  // namespace tabulon_detail

template <class... Args>
struct TEvent {
  using TCode = void (*)(TObject* Data, Args... A);

  TCode Code = nullptr;
  TObject* Data = nullptr;

  bool Assigned() const { return Code != nullptr; }

  template <class... CallArgs>
  void operator()(CallArgs&&... A) const {
    Code(Data, std::forward<CallArgs>(A)...);
  }

  template <auto Method>
  static TEvent Of(typename tabulon_detail::MethodClass<decltype(Method)>::Type* Self) {
    using C = typename tabulon_detail::MethodClass<decltype(Method)>::Type;
    static_assert(std::is_base_of_v<TObject, C>, "event handlers are methods of a TObject");
    return TEvent{&Thunk<C, Method>, Self};
  }

  friend bool operator==(const TEvent& L, const TEvent& R) {
    return L.Code == R.Code && L.Data == R.Data;
  }

 private:
  template <class C, auto Method>
  static void Thunk(TObject* Data, Args... A) {
    (static_cast<C*>(Data)->*Method)(std::forward<Args>(A)...);
  }
};

using TNotifyEvent = TEvent<TObject*>;
