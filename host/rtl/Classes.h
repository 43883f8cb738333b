#pragma once

// Delphi's Classes unit, as far as the host and the add-in need it: the object
// model (TObject, TPersistent, TComponent with Owner and Name) and string
// lists with item objects.

#include <algorithm>
#include <cstddef>
#include <string>
#include <type_traits>
#include <typeinfo>
#include <utility>
#include <vector>

#include "Events.h"
#include "SysUtils.h"
#include "TextScan.h"

struct TTypeInfo;

// A C++ class's name without namespace, as Delphi's ClassName gives it.
std::string ClassNameOf(const std::type_info& Type);

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;

  // The class name without namespace, as Delphi's ClassName gives it.
  std::string ClassName() const;
  // The published properties of the object's class (unit TypInfo); nullptr
  // for a class that publishes none.
  virtual const TTypeInfo* ClassInfo() const { return nullptr; }
};

// Delphi's "as": nil stays nil, an object of another class raises EInvalidCast.
template <class T>
T* As(TObject* Obj) {
  if (Obj == nullptr)
    return nullptr;
  if (auto* Result = dynamic_cast<T*>(Obj))
    return Result;
  throw EInvalidCast("Invalid class typecast");
}

// Delphi's "is".
template <class T>
bool Is(const TObject* Obj) {
  return dynamic_cast<const T*>(Obj) != nullptr;
}

class TPersistent : public TObject {
 public:
  // Copies Source into this object; raises EConvertError for classes that
  // cannot be assigned, as the VCL does.
  virtual void Assign(TPersistent* Source);

 protected:
  virtual void AssignTo(TPersistent* Dest);
};

enum TComponentStateFlag : unsigned {
  csLoading = 1 << 0,
  csReading = 1 << 1,
  csWriting = 1 << 2,
  csDestroying = 1 << 3,
  csDesigning = 1 << 4,
};
using TComponentState = unsigned;

enum TOperation { opInsert, opRemove };

class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  const std::string& Name() const { return FName; }
  // Raises EComponentError when the owner already has a component of that
  // name (compared without regard to case) or the name is not an identifier.
  virtual void SetName(const std::string& NewName);
  NativeInt Tag() const { return FTag; }
  void SetTag(NativeInt Value) { FTag = Value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  // The owned component with that name, letter case ignored; nullptr if none.
  TComponent* FindComponent(const std::string& AName) const;

  TComponentState ComponentState() const { return FComponentState; }
  void SetDesigning(bool Value);
  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  // Each of the two hears Notification(other, opRemove) when the other goes,
  // so that a component holding another that it does not own (a control's
  // popup menu, a form's main menu) never keeps a freed one.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

 protected:
  // Marks the component as going away; every destructor with work of its own
  // calls it first, so that parents and owners stop talking to it.
  void Destroying() { FComponentState |= csDestroying; }
  bool IsDestroying() const { return (FComponentState & csDestroying) != 0; }
  // Frees the owned components, the last one first.
  void DestroyComponents();
  virtual void Loaded() { FComponentState &= ~csLoading; }
  // Called from the going component's destructor, after its own class's
  // destructor ran: only its address may be compared.
  virtual void Notification(TComponent* AComponent, TOperation Operation) {
    (void)AComponent, (void)Operation;
  }

 private:
  TComponent* FOwner = nullptr;
  std::string FName;
  NativeInt FTag = 0;
  TComponentState FComponentState = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
};

// The value a string list keeps with each item: pointer-sized, either an
// object or a plain integer, as in the VCL. The accessors say which is meant.
class TItemObject {
 public:
  TItemObject() = default;
  TItemObject(TObject* Obj) : FBits(reinterpret_cast<NativeInt>(Obj)) {}  // NOLINT
  static TItemObject FromInteger(NativeInt Value) {
    TItemObject R;
    R.FBits = Value;
    return R;
  }
  TObject* AsObject() const { return reinterpret_cast<TObject*>(FBits); }
  NativeInt AsInteger() const { return FBits; }
  bool IsNil() const { return FBits == 0; }
  friend bool operator==(TItemObject L, TItemObject R) { return L.FBits == R.FBits; }

 private:
  NativeInt FBits = 0;
};

class TStrings : public TPersistent {
 public:
  virtual int Count() const = 0;
  virtual std::string Get(int Index) const = 0;
  virtual void Put(int Index, const std::string& S);
  virtual TItemObject GetObject(int Index) const;
  virtual void PutObject(int Index, TItemObject AObject);
  virtual void Insert(int Index, const std::string& S) = 0;
  virtual void Delete(int Index) = 0;
  virtual void Clear() = 0;
  virtual int IndexOf(const std::string& S) const;
  virtual int Add(const std::string& S);

  std::string Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const std::string& S) { Put(Index, S); }
  TItemObject Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TItemObject AObject) { PutObject(Index, AObject); }
  // The item object of Index as an object of class T (nullptr when nil);
  // raises EInvalidCast when it holds another class.
  template <class T>
  T* ObjectAs(int Index) const {
    return As<T>(GetObject(Index).AsObject());
  }

  int AddObject(const std::string& S, TItemObject AObject);
  // Insert, then PutObject; a list whose items take both at once does both
  // in one step.
  virtual void InsertObject(int Index, const std::string& S, TItemObject AObject);
  void AddStrings(const TStrings* Strings);
  virtual void Move(int CurIndex, int NewIndex);
  virtual void Exchange(int Index1, int Index2);

  // Every line followed by CR LF, the last one too; an empty list is "".
  virtual std::string Text() const;
  // Splits at CR, LF and CR LF (LF CR is two breaks); a final break makes no
  // extra line, and a NUL byte ends the text.
  virtual void SetText(const std::string& Value);
  // Calls Line(First, Last) for every line of Value as SetText splits it.
  template <typename F>
  static void ForEachTextLine(const std::string& Value, F&& Line) {
    const char* P = Value.c_str();  // the terminating NUL, or an embedded one, ends the text
    const char* const End = P + Value.size();
    while (*P != '\0') {
      const char* Start = P;
      P = FindLineEnd(P, End);
      Line(Start, P);
      if (*P == '\r')
        ++P;
      if (*P == '\n')
        ++P;
    }
  }

  // Same count and every entry equal, letter case counting.
  bool Equals(const TStrings* Strings) const;
  // As Equals, and every entry's object the same as well. A list kept in a
  // control's window reads itself whole for this, in one call rather than
  // two for each entry.
  virtual bool EqualsWithObjects(const TStrings* Strings) const;
  void Assign(TPersistent* Source) override;

  void BeginUpdate();
  void EndUpdate();

 protected:
  virtual void SetUpdateState(bool Updating) { (void)Updating; }
  int UpdateCount() const { return FUpdateCount; }
  [[noreturn]] void Error(const std::string& Msg, int Data) const;
  // Appends every line of Value, as SetText splits it, to Items as an item of
  // that text and no object, in room reserved for them all: every line ends
  // at a line break or at the end; mostly the breaks are CR LF or LF, one
  // line more than there are LFs. Lists that keep their items in a vector of
  // such items fill themselves from a text so, one copy per line.
  template <class TItem>
  static void AppendTextLines(const std::string& Value, std::vector<TItem>& Items) {
    const std::size_t Breaks = CountLineFeeds(Value.data(), Value.data() + Value.size());
    Items.reserve(Items.size() + Breaks + 1);
    // An item made from a line's bounds has its text made where it stands,
    // rather than made aside and moved there.
    ForEachTextLine(Value, [&Items](const char* First, const char* Last) {
      if constexpr (std::is_constructible_v<TItem, const char*, const char*>)
        Items.emplace_back(First, Last);
      else
        Items.push_back(TItem{std::string(First, Last), {}});
    });
  }
  virtual int CompareStrings(const std::string& S1, const std::string& S2) const {
    return AnsiCompareText(S1, S2);
  }

 private:
  int FUpdateCount = 0;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStringList : public TStrings {
 public:
  TStringList() = default;
  ~TStringList() override;

  int Count() const override { return static_cast<int>(Items().size()); }
  std::string Get(int Index) const override;
  void Put(int Index, const std::string& S) override;
  TItemObject GetObject(int Index) const override;
  void PutObject(int Index, TItemObject AObject) override;
  void Insert(int Index, const std::string& S) override;
  void Delete(int Index) override;
  void Clear() override;
  int IndexOf(const std::string& S) const override;
  int Add(const std::string& S) override;
  void Exchange(int Index1, int Index2) override;
  // As TStrings splits it. An unsorted list keeps the text and splits it
  // when its items are first asked for, each line straight from the text
  // into room reserved for them all: the settings dialog gives each of
  // hundreds of groups its page list and mostly looks at one or two.
  void SetText(const std::string& Value) override;
  // As TStrings gives it, built in one buffer sized for it; a text kept
  // unsplit in the list's own form (every line ended by CR LF) as it is.
  std::string Text() const override;

  // Binary search of a sorted list; Index is where S is or would go.
  bool Find(const std::string& S, int& Index) const;
  virtual void Sort();

  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  void SetCaseSensitive(bool Value);

  TNotifyEvent OnChange() const { return FOnChange; }
  void SetOnChange(TNotifyEvent Value) { FOnChange = Value; }
  TNotifyEvent OnChanging() const { return FOnChanging; }
  void SetOnChanging(TNotifyEvent Value) { FOnChanging = Value; }

 protected:
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const std::string& S1, const std::string& S2) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    Item(std::string AS, TItemObject AObj) : S(std::move(AS)), Obj(AObj) {}
    Item(const char* First, const char* Last) : S(First, Last) {}
    std::string S;
    TItemObject Obj;
  };
  void InsertItem(int Index, const std::string& S, TItemObject AObject);
  void CheckIndex(int Index) const;
  // The items, the kept text split into them first: every look at the
  // items goes through these.
  const std::vector<Item>& Items() const {
    if (FUnsplit)
      Split();
    return FItems;
  }
  std::vector<Item>& Items() {
    if (FUnsplit)
      Split();
    return FItems;
  }
  void Split() const;

  // Splitting the kept text changes what the list holds in no way a caller
  // can see, so a const look may do it.
  mutable std::vector<Item> FItems;
  mutable std::string FText;
  mutable bool FUnsplit = false;
  bool FSorted = false;
  bool FCaseSensitive = false;
  TDuplicates FDuplicates = dupIgnore;
  TNotifyEvent FOnChange;
  TNotifyEvent FOnChanging;
};
