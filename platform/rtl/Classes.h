// Object model of the framework: objects, persistent objects, components with
// owners, pointer lists, string lists, collections and streams.
#pragma once

#include <QByteArray>
#include <QString>
#include <functional>
#include <vector>

#include "platform/rtl/SysUtils.h"
#include "platform/rtl/Types.h"

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The class's own name ("TStringList").
  QString ClassName() const { return ClassNameOf(typeid(*this)); }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

// An object whose state can be copied from another with Assign.
class TPersistent : public TObject {
 public:
  // Copies Source into this object. The default asks Source to copy itself
  // into this object (AssignTo) and fails when neither side knows how.
  virtual void Assign(TPersistent* Source);
  // The object this one belongs to (a component's owner, a collection's owner,
  // an item's collection), nullptr when none.
  virtual TPersistent* GetOwner() { return nullptr; }

 protected:
  virtual void AssignTo(TPersistent* Dest);
  // Raises "Cannot assign a <source class> to a <this class>".
  [[noreturn]] void AssignError(TPersistent* Source);
};

enum TComponentStateItem {
  csLoading, csReading, csWriting, csDestroying, csDesigning, csAncestor,
  csUpdating, csFixups, csFreeNotification, csInline, csDesignInstance
};
using TComponentState = TSet<TComponentStateItem, 16>;

enum TOperation { opInsert, opRemove };

// A component with an owner. The owner frees the components it owns when it is
// destroyed; a component destroyed on its own leaves its owner's list. Components
// that asked for it (FreeNotification) hear of each other's destruction through
// Notification(AComponent, opRemove).
//
// C++ runs a derived destructor before the base one, so by the time ~TComponent
// frees the owned components the derived part of this object is gone and their
// removal reaches only TComponent::Notification. A derived class whose
// Notification must see its own components leave calls DestroyComponents() at
// the start of its destructor.
class TComponent : public TPersistent {
 public:
  explicit TComponent(TComponent* AOwner);
  ~TComponent() override;

  TComponent* Owner() const { return FOwner; }
  TPersistent* GetOwner() override;
  const QString& Name() const { return FName; }
  virtual void SetName(const QString& NewName);
  int Tag() const { return FTag; }
  void SetTag(int Value) { FTag = Value; }

  int ComponentCount() const { return static_cast<int>(FComponents.size()); }
  TComponent* Components(int Index) const;
  // This component's position in its owner's list, -1 without owner.
  int ComponentIndex() const;
  // The owned component of that name (case-insensitive), or nullptr.
  TComponent* FindComponent(const QString& AName) const;

  void InsertComponent(TComponent* AComponent);
  void RemoveComponent(TComponent* AComponent);
  void DestroyComponents();

  TComponentState ComponentState() const { return FComponentState; }
  // Marks the component (and the components it owns) as being destroyed.
  void Destroying();

  // AComponent will hear through Notification when this component is destroyed,
  // and this component when AComponent is.
  void FreeNotification(TComponent* AComponent);
  void RemoveFreeNotification(TComponent* AComponent);

  // Streaming stand-in: a window definition built in code brackets its property
  // settings with BeginLoading/EndLoading, which runs Loaded on every owned component.
  void BeginLoading();
  void EndLoading();

 protected:
  virtual void Notification(TComponent* AComponent, TOperation Operation);
  virtual void Loaded();
  void SetComponentState(TComponentState State) { FComponentState = State; }
  void IncludeState(TComponentStateItem Item) { FComponentState.Include(Item); }
  void ExcludeState(TComponentStateItem Item) { FComponentState.Exclude(Item); }

 private:
  void Insert(TComponent* AComponent);
  void Remove(TComponent* AComponent);
  void RemoveNotification(TComponent* AComponent);

  TComponent* FOwner = nullptr;
  QString FName;
  int FTag = 0;
  std::vector<TComponent*> FComponents;
  std::vector<TComponent*> FFreeNotifies;
  TComponentState FComponentState;
};

// Frees obj and sets the pointer to nullptr.
template <typename T>
void FreeAndNil(T*& obj) {
  T* tmp = obj;
  obj = nullptr;
  delete tmp;
}

// Runs Body between Target->BeginUpdate() and Target->EndUpdate(). EndUpdate
// runs as well when Body throws, and the exception goes on to the caller.
template <typename TTarget, typename TBody>
void DuringUpdate(TTarget* Target, TBody&& Body) {
  Target->BeginUpdate();
  try {
    Body();
  } catch (...) {
    Target->EndUpdate();
    throw;
  }
  Target->EndUpdate();
}

// ---------------------------------------------------------------------- lists

// The framework's list-index message, "List index out of bounds (%d)".
QString ListIndexErrorText(int Index);

enum TListNotification { lnAdded, lnExtracted, lnDeleted };

// Orders two items of a TList: negative, zero or positive.
using TListSortCompare = std::function<int(void* Item1, void* Item2)>;

// A list of untyped pointers. It never frees what the pointers point to.
// Index errors raise EListError "List index out of bounds (%d)". A derived class
// whose Notify must hear of the pointers left at destruction calls Clear in its
// own destructor (by the time ~TList runs, only TList::Notify is reached).
class TList : public TObject {
 public:
  TList() = default;
  ~TList() override;

  int Add(void* Item);
  void Insert(int Index, void* Item);
  void Delete(int Index);
  // Deletes the first occurrence of Item; returns its former index or -1.
  int Remove(void* Item);
  // Takes the first occurrence of Item out of the list (lnExtracted); returns
  // Item, or nullptr when it is not in the list.
  void* Extract(void* Item);
  int IndexOf(void* Item) const;
  void* First() const { return Get(0); }
  void* Last() const { return Get(Count() - 1); }
  virtual void Clear();
  void Exchange(int Index1, int Index2);
  void Move(int CurIndex, int NewIndex);
  // Quick sort of the framework: the order of items that compare equal is the
  // framework's, not a stable one.
  void Sort(const TListSortCompare& Compare);

  int Count() const { return static_cast<int>(FList.size()); }
  // Grows with nullptr items or drops the last items (without notification).
  void SetCount(int NewCount);
  int Capacity() const { return FCapacity; }
  void SetCapacity(int NewCapacity);
  void* Items(int Index) const { return Get(Index); }
  void SetItems(int Index, void* Item);
  void* operator[](int Index) const { return Get(Index); }
  // Direct access to the pointers, for loops that read them in order.
  void* const* List() const { return FList.data(); }

 protected:
  void* Get(int Index) const {
    CheckIndex(Index);
    return FList[static_cast<size_t>(Index)];
  }
  // Hears of every pointer that enters or leaves the list.
  virtual void Notify(void* Ptr, TListNotification Action);
  [[noreturn]] static void Error(const QString& Msg, int Data);

 private:
  void CheckIndex(int Index) const {
    if (Index < 0 || Index >= Count()) IndexError(Index);
  }
  [[noreturn]] static void IndexError(int Index);
  std::vector<void*> FList;
  int FCapacity = 0;
};

// ---------------------------------------------------------------- string lists

class TEncoding;
class TStream;

enum TDuplicates { dupIgnore, dupAccept, dupError };

// Abstract list of strings, each with an object pointer. Derived classes store
// the strings; this class gives them the framework's text forms (Text,
// CommaText, DelimitedText, name=value pairs) and file loading and saving.
//
// Comparisons of strings (IndexOf, IndexOfName, Values) ignore case unless a
// derived class says otherwise (TStringList.CaseSensitive).
class TStrings : public TPersistent {
 public:
  TStrings() = default;
  ~TStrings() override = default;

  virtual int Add(const QString& S);
  virtual int AddObject(const QString& S, TObject* AObject);
  void Append(const QString& S) { Add(S); }
  virtual void AddStrings(TStrings* Strings);
  void AddStrings(const QStringList& Strings);
  void Assign(TPersistent* Source) override;
  void BeginUpdate();
  void EndUpdate();
  virtual void Clear() = 0;
  virtual void Delete(int Index) = 0;
  // Same count and the same strings (case-sensitive) in the same order.
  bool Equals(TStrings* Strings) const;
  virtual void Exchange(int Index1, int Index2);
  virtual int IndexOf(const QString& S) const;
  virtual int IndexOfName(const QString& Name) const;
  virtual int IndexOfObject(TObject* AObject) const;
  virtual void Insert(int Index, const QString& S) = 0;
  virtual void InsertObject(int Index, const QString& S, TObject* AObject);
  virtual void Move(int CurIndex, int NewIndex);

  int Count() const { return GetCount(); }
  QString Strings(int Index) const { return Get(Index); }
  void SetStrings(int Index, const QString& S) { Put(Index, S); }
  QString operator[](int Index) const { return Get(Index); }
  TObject* Objects(int Index) const { return GetObject(Index); }
  void SetObjects(int Index, TObject* AObject) { PutObject(Index, AObject); }
  int Capacity() const { return GetCapacity(); }
  void SetCapacity(int NewCapacity) { SetCapacityImpl(NewCapacity); }

  // The lines, each followed by LineBreak (the last one too).
  QString Text() const { return GetTextStr(); }
  // Replaces the lines: CR LF, CR and LF each end a line (any other LineBreak
  // is split on as given); a line break at the end adds no empty line.
  void SetText(const QString& Value) { SetTextStr(Value); }
  QString CommaText() const;
  void SetCommaText(const QString& Value);
  QString DelimitedText() const;
  void SetDelimitedText(const QString& Value);
  QChar Delimiter() const { return FDelimiter; }
  void SetDelimiter(QChar Value) { FDelimiter = Value; }
  QChar QuoteChar() const { return FQuoteChar; }
  void SetQuoteChar(QChar Value) { FQuoteChar = Value; }
  // On: only the delimiter separates items (blanks are kept and need no quotes).
  bool StrictDelimiter() const { return FStrictDelimiter; }
  void SetStrictDelimiter(bool Value) { FStrictDelimiter = Value; }
  QChar NameValueSeparator() const { return FNameValueSeparator; }
  void SetNameValueSeparator(QChar Value) { FNameValueSeparator = Value; }
  const QString& LineBreak() const { return FLineBreak; }
  void SetLineBreak(const QString& Value) { FLineBreak = Value; }

  // The part before the first NameValueSeparator, "" for a line without one.
  QString Names(int Index) const;
  // The part after the separator of the first line whose name is Name, else "".
  QString Values(const QString& Name) const;
  // Sets or adds "Name=Value"; an empty Value deletes the line.
  void SetValues(const QString& Name, const QString& Value);
  QString ValueFromIndex(int Index) const;
  void SetValueFromIndex(int Index, const QString& Value);
  QStringList ToStringList() const;

  // Files and streams. Reading: a byte-order mark selects UTF-8 or UTF-16
  // (little or big endian) whatever Encoding says; without one Encoding applies,
  // or DefaultEncoding when Encoding is nullptr. The encoding found and whether
  // a mark was there are kept for the next save. Writing: Encoding, else the
  // encoding the lines were loaded with, else DefaultEncoding; the mark of the
  // encoding is written when WriteBOM is on; lines end with LineBreak.
  virtual void LoadFromFile(const QString& FileName, TEncoding* Encoding = nullptr);
  virtual void LoadFromStream(TStream* Stream, TEncoding* Encoding = nullptr);
  virtual void SaveToFile(const QString& FileName, TEncoding* Encoding = nullptr);
  virtual void SaveToStream(TStream* Stream, TEncoding* Encoding = nullptr);
  bool WriteBOM() const { return FWriteBOM; }
  void SetWriteBOM(bool Value) { FWriteBOM = Value; }
  // The encoding of the last load, nullptr before any load.
  TEncoding* Encoding() const { return FEncoding; }
  TEncoding* DefaultEncoding() const;
  void SetDefaultEncoding(TEncoding* Value) { FDefaultEncoding = Value; }

 protected:
  virtual QString Get(int Index) const = 0;
  virtual int GetCount() const = 0;
  virtual TObject* GetObject(int Index) const;
  virtual void Put(int Index, const QString& S);
  virtual void PutObject(int Index, TObject* AObject);
  virtual int GetCapacity() const { return Count(); }
  virtual void SetCapacityImpl(int NewCapacity) {}
  virtual QString GetTextStr() const;
  virtual void SetTextStr(const QString& Value);
  // Called with true when the first BeginUpdate starts and false when the last
  // EndUpdate ends.
  virtual void SetUpdateState(bool Updating) {}
  // 0 when equal; the default ignores case (the framework's AnsiCompareText).
  virtual int CompareStrings(const QString& S1, const QString& S2) const;
  int UpdateCount() const { return FUpdateCount; }
  // Raises EStringListError with Msg, "%d" in it replaced by Data.
  [[noreturn]] static void Error(const QString& Msg, int Data);

 private:
  QString ExtractName(const QString& S) const;
  QString DelimitedTextWith(QChar delimiter, QChar quoteChar) const;
  void SetDelimitedTextWith(const QString& Value, QChar delimiter, QChar quoteChar);

  QChar FDelimiter = QLatin1Char(',');
  QChar FQuoteChar = QLatin1Char('"');
  QChar FNameValueSeparator = QLatin1Char('=');
  bool FStrictDelimiter = false;
  QString FLineBreak = QStringLiteral("\r\n");
  bool FWriteBOM = true;
  TEncoding* FEncoding = nullptr;
  TEncoding* FDefaultEncoding = nullptr;
  int FUpdateCount = 0;
};

class TStringList;
// Orders two items of a string list by index: negative, zero or positive.
using TStringListSortCompare = std::function<int(TStringList* List, int Index1, int Index2)>;

// The framework's string list. Sorted keeps the strings in order (compared like
// AnsiCompareText, or AnsiCompareStr with CaseSensitive) and finds them by
// binary search; Duplicates decides what adding a string already there does in
// a sorted list. OnChanging and OnChange bracket every change (once for a
// BeginUpdate/EndUpdate stretch). With OwnsObjects the list frees the objects
// of the lines it deletes.
class TStringList : public TStrings {
 public:
  TStringList() = default;
  explicit TStringList(bool OwnsObjects) : FOwnsObjects(OwnsObjects) {}
  ~TStringList() override;

  int Add(const QString& S) override;
  int AddObject(const QString& S, TObject* AObject) override;
  void Assign(TPersistent* Source) override;
  void Clear() override;
  void Delete(int Index) override;
  void Exchange(int Index1, int Index2) override;
  // In a sorted list: true when S is there; Index is its position (the first
  // of equal strings unless Duplicates is dupAccept) or where it would go.
  virtual bool Find(const QString& S, int& Index) const;
  int IndexOf(const QString& S) const override;
  void Insert(int Index, const QString& S) override;
  void InsertObject(int Index, const QString& S, TObject* AObject) override;
  void Move(int CurIndex, int NewIndex) override;
  virtual void Sort();
  virtual void CustomSort(const TStringListSortCompare& Compare);

  TDuplicates Duplicates() const { return FDuplicates; }
  void SetDuplicates(TDuplicates Value) { FDuplicates = Value; }
  bool Sorted() const { return FSorted; }
  void SetSorted(bool Value);
  bool CaseSensitive() const { return FCaseSensitive; }
  void SetCaseSensitive(bool Value);
  bool OwnsObjects() const { return FOwnsObjects; }
  void SetOwnsObjects(bool Value) { FOwnsObjects = Value; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  QString Get(int Index) const override;
  int GetCount() const override { return static_cast<int>(FList.size()); }
  TObject* GetObject(int Index) const override;
  void Put(int Index, const QString& S) override;
  void PutObject(int Index, TObject* AObject) override;
  int GetCapacity() const override { return static_cast<int>(FList.capacity()); }
  void SetCapacityImpl(int NewCapacity) override;
  void SetUpdateState(bool Updating) override;
  int CompareStrings(const QString& S1, const QString& S2) const override;
  virtual void Changed();
  virtual void Changing();
  virtual void InsertItem(int Index, const QString& S, TObject* AObject);

 private:
  struct TStringItem {
    QString FString;
    TObject* FObject = nullptr;
  };
  void CheckIndex(int Index) const;
  void QuickSort(int L, int R, const TStringListSortCompare& Compare);

  std::vector<TStringItem> FList;
  TDuplicates FDuplicates = dupIgnore;
  bool FSorted = false;
  bool FCaseSensitive = false;
  bool FOwnsObjects = false;
};

// ----------------------------------------------------------------- collections

class TCollection;
class TCollectionItem;

// How a collection makes its items: a factory and the class's name.
struct TCollectionItemClass {
  std::function<TCollectionItem*(TCollection*)> Create;
  QString ClassName;
};

// The item class T for a collection: new T(Collection).
template <typename T>
TCollectionItemClass CollectionItemClass() {
  return {[](TCollection* c) -> TCollectionItem* { return new T(c); },
          ClassNameOf(typeid(T))};
}

// An item of a collection. Constructing it with a collection appends it there;
// destroying it takes it out. Items are best made through TCollection::Add or
// Insert, which tell the collection of the new item only once it is fully built,
// and freed through Delete or Clear, which take it out while it is still whole.
// An item constructed or deleted directly is announced (Notify) while only its
// TCollectionItem part exists.
class TCollectionItem : public TPersistent {
 public:
  explicit TCollectionItem(TCollection* Collection);
  ~TCollectionItem() override;

  TCollection* Collection() const { return FCollection; }
  // Moves the item to another collection (nullptr: to none).
  void SetCollection(TCollection* Value);
  // A number unique in its collection, given in order of creation.
  int ID() const { return FID; }
  // Position in the collection, -1 without one.
  int Index() const;
  // Moves the item to position Value; tells the collection that all changed.
  virtual void SetIndex(int Value);
  QString DisplayName() const { return GetDisplayName(); }
  virtual void SetDisplayName(const QString& Value);
  TPersistent* GetOwner() override;

 protected:
  // Tells the collection that this item (AllItems false) or all changed,
  // unless the collection is inside BeginUpdate/EndUpdate.
  void Changed(bool AllItems);
  virtual QString GetDisplayName() const { return ClassName(); }

 private:
  friend class TCollection;
  TCollection* FCollection = nullptr;
  int FID = 0;
};

enum TCollectionNotification { cnAdded, cnExtracting, cnDeleting };

// A list of items of one class, owned by the collection. Changes reach Update:
// Update(nullptr) when items were added, removed, moved or all changed,
// Update(Item) when one item changed; not while BeginUpdate is in force, and
// once (Update(nullptr)) at the EndUpdate that ends it.
class TCollection : public TPersistent {
 public:
  explicit TCollection(TCollectionItemClass ItemClass);
  ~TCollection() override;

  TCollectionItem* Add();
  // Adds an item at Index (0..Count).
  TCollectionItem* Insert(int Index);
  void Delete(int Index);
  void Clear();
  // Clear, then the next item gets ID 0 again.
  void ClearAndResetID();
  // Copies a collection item by item: Clear, then Add().Assign(source item).
  void Assign(TPersistent* Source) override;
  virtual void BeginUpdate();
  virtual void EndUpdate();
  TCollectionItem* FindItemID(int ID) const;

  int Count() const { return FItems.Count(); }
  TCollectionItem* Items(int Index) const { return static_cast<TCollectionItem*>(FItems.Items(Index)); }
  // Copies Value into the item at Index (the item's Assign).
  void SetItems(int Index, TCollectionItem* Value);
  const TCollectionItemClass& ItemClass() const { return FItemClass; }
  TPersistent* Owner() { return GetOwner(); }
  int UpdateCount() const { return FUpdateCount; }

 protected:
  // Update(nullptr) unless inside BeginUpdate/EndUpdate.
  void Changed();
  virtual void Notify(TCollectionItem* Item, TCollectionNotification Action) {}
  virtual void Update(TCollectionItem* Item) {}

 private:
  friend class TCollectionItem;
  void InsertItem(TCollectionItem* Item);
  void RemoveItem(TCollectionItem* Item);
  void FreeItem(TCollectionItem* Item);

  TCollectionItemClass FItemClass;
  TList FItems;
  int FUpdateCount = 0;
  int FNextID = 0;
  bool FAdding = false;
};

// A collection that belongs to an object (a grid's columns, a picture list).
class TOwnedCollection : public TCollection {
 public:
  TOwnedCollection(TPersistent* AOwner, TCollectionItemClass ItemClass)
      : TCollection(std::move(ItemClass)), FOwner(AOwner) {}
  TPersistent* GetOwner() override { return FOwner; }

 private:
  TPersistent* FOwner;
};

// --------------------------------------------------------------------- streams

// Origin of a seek; the older names soFromBeginning/soFromCurrent/soFromEnd
// stand for the same values.
enum TSeekOrigin { soBeginning = 0, soCurrent = 1, soEnd = 2 };
constexpr TSeekOrigin soFromBeginning = soBeginning;
constexpr TSeekOrigin soFromCurrent = soCurrent;
constexpr TSeekOrigin soFromEnd = soEnd;

// A sequence of bytes with a position.
class TStream : public TObject {
 public:
  // Reads up to Count bytes; returns how many were read.
  virtual int Read(void* Buffer, int Count) = 0;
  // Writes up to Count bytes; returns how many were written.
  virtual int Write(const void* Buffer, int Count) = 0;
  // Moves the position; returns the new one.
  virtual Int64 Seek(Int64 Offset, TSeekOrigin Origin) = 0;
  // Reads exactly Count bytes or raises EReadError "Stream read error".
  void ReadBuffer(void* Buffer, int Count);
  // Writes exactly Count bytes or raises EWriteError "Stream write error".
  void WriteBuffer(const void* Buffer, int Count);
  void WriteBuffer(const QByteArray& Bytes) { WriteBuffer(Bytes.constData(), Bytes.size()); }
  // Copies Count bytes from Source's position (Count 0: all of Source, from its
  // start); returns the count copied.
  Int64 CopyFrom(TStream* Source, Int64 Count);
  // The bytes from the position to the end; the position moves to the end.
  QByteArray ReadRest();

  Int64 Position() { return Seek(0, soCurrent); }
  void SetPosition(Int64 Pos) { Seek(Pos, soBeginning); }
  virtual Int64 Size();
  virtual void SetSize(Int64 NewSize) {}
};

// A stream in memory. The position may be set past the end; writing there
// fills the gap with zero bytes.
class TMemoryStream : public TStream {
 public:
  TMemoryStream() = default;
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  Int64 Size() override { return FData.size(); }
  // Keeps the first NewSize bytes (new bytes are zero); a position past the new
  // end moves to it.
  void SetSize(Int64 NewSize) override;
  void Clear();
  void* Memory() { return FData.data(); }
  const QByteArray& Bytes() const { return FData; }
  void LoadFromStream(TStream* Stream);
  void LoadFromFile(const QString& FileName);
  void SaveToStream(TStream* Stream);
  void SaveToFile(const QString& FileName);

 private:
  QByteArray FData;
  Int64 FPosition = 0;
};

// File open modes: one of fmCreate, fmOpenRead, fmOpenWrite, fmOpenReadWrite,
// combined with a share mode. Share modes are accepted and ignored.
constexpr Word fmCreate = 0xFF00;
constexpr Word fmOpenRead = 0x0000;
constexpr Word fmOpenWrite = 0x0001;
constexpr Word fmOpenReadWrite = 0x0002;
constexpr Word fmShareCompat = 0x0000;
constexpr Word fmShareExclusive = 0x0010;
constexpr Word fmShareDenyWrite = 0x0020;
constexpr Word fmShareDenyRead = 0x0030;
constexpr Word fmShareDenyNone = 0x0040;

// A stream on a file. fmCreate makes the file anew (or empties it) for reading
// and writing; the open modes need an existing file and keep its bytes.
// Failures raise EFCreateError "Cannot create file "<name>". <reason>" or
// EFOpenError "Cannot open file "<name>". <reason>".
class TFileStream : public TStream {
 public:
  TFileStream(const QString& AFileName, Word Mode);
  ~TFileStream() override;
  int Read(void* Buffer, int Count) override;
  int Write(const void* Buffer, int Count) override;
  Int64 Seek(Int64 Offset, TSeekOrigin Origin) override;
  // Cuts or extends the file; the position moves to the new end. Raises
  // EStreamError when the file refuses.
  void SetSize(Int64 NewSize) override;
  const QString& FileName() const { return FFileName; }
  int Handle() const { return FHandle; }

 private:
  QString FFileName;
  int FHandle = -1;
};

// A memory stream holding text in an encoding (default: the ANSI code page).
class TStringStream : public TMemoryStream {
 public:
  explicit TStringStream(const QString& AString = QString(), TEncoding* AEncoding = nullptr);
  // The whole content decoded.
  QString DataString() const;
  // Writes AString encoded at the position.
  void WriteString(const QString& AString);
  // Reads Count bytes (less at the end) and decodes them.
  QString ReadString(int Count);
  TEncoding* Encoding() const { return FEncoding; }

 private:
  TEncoding* FEncoding;
};
