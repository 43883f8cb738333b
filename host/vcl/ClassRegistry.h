#pragma once

// What the VCL's class registry (RegisterClass and GetClass of unit Classes)
// keeps of a component class: the name a form gives it, how to make one, and
// whether an object is of it. ClassOf<T>() is the class's one registration.
// Whoever needs more of a class (the settings dialog's form reader, the
// driver that acts as the dialog's user) keeps that in a table keyed by the
// registration, so no side writes the class's name or its constructor, and
// a class one side starts to use is one row on that side.

#include <string>
#include <type_traits>
#include <typeinfo>

#include "Classes.h"

struct TComponentClass {
  // As a form names it: the C++ class's own name, so the two cannot differ.
  std::string Name;
  // Makes one owned by Owner; nullptr for a class no form makes (a base
  // class such as TCustomEdit).
  TComponent* (*Create)(TComponent* Owner);
  // Delphi's "is": whether Obj is of the class or of one derived from it.
  bool (*Is)(const TObject* Obj);
};

template <class T>
const TComponentClass& ClassOf() {
  static_assert(std::is_base_of_v<TComponent, T>);
  static const TComponentClass Class{
      ClassNameOf(typeid(T)),
      [] {
        TComponent* (*Create)(TComponent*) = nullptr;
        if constexpr (!std::is_abstract_v<T> && std::is_constructible_v<T, TComponent*>)
          Create = [](TComponent* Owner) -> TComponent* { return new T(Owner); };
        return Create;
      }(),
      &Is<T>};
  return Class;
}
