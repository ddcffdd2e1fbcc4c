#include <gtest/gtest.h>

#include <QStringList>

#include "platform/rtl/Classes.h"

namespace {

QStringList Lines(const TStrings& s) { return s.ToStringList(); }

void Fill(TStrings& s, const QStringList& items) {
  s.Clear();
  s.AddStrings(items);
}

// Counts its destructions, to see which list frees what.
class Counted : public TObject {
 public:
  explicit Counted(int* freed) : freed_(freed) {}
  ~Counted() override { ++*freed_; }

 private:
  int* freed_;
};

// The smallest derived list: only the abstract members, so the base class's
// own Put, Move, Exchange and Values run.
class PlainStrings : public TStrings {
 public:
  void Clear() override { items_.clear(); }
  void Delete(int i) override { items_.removeAt(i); }
  void Insert(int i, const QString& s) override { items_.insert(i, s); }

 protected:
  QString Get(int i) const override { return items_.at(i); }
  int GetCount() const override { return static_cast<int>(items_.size()); }

 private:
  QStringList items_;
};

}  // namespace

// ------------------------------------------------------------------ text forms

TEST(StringListText, SplitsOnCrLfCrAndLfWithoutTrailingEmptyLine) {
  struct Case {
    QString text;
    QStringList lines;
  } cases[] = {
      {"", {}},
      {"a", {"a"}},
      {"a\r\nb", {"a", "b"}},
      {"a\rb\nc", {"a", "b", "c"}},
      {"a\r\n", {"a"}},
      {"a\n\n", {"a", ""}},
      {"\r\n", {""}},
      {"a\n\rb", {"a", "", "b"}},  // LF then CR: two breaks
      {"a\r\r\nb", {"a", "", "b"}},
      {QString::fromLatin1("a\0b\nc", 5), {QString::fromLatin1("a\0b", 3), "c"}},  // a zero character is kept
  };
  TStringList sl;
  for (const Case& c : cases) {
    sl.SetText(c.text);
    EXPECT_EQ(Lines(sl), c.lines) << c.text.toStdString();
  }
}

TEST(StringListText, WritesEveryLineWithTheLineBreak) {
  TStringList sl;
  EXPECT_EQ(sl.Text(), "");
  Fill(sl, {"a", "", "b"});
  EXPECT_EQ(sl.Text(), "a\r\n\r\nb\r\n");
  sl.SetLineBreak("\n");
  EXPECT_EQ(sl.Text(), "a\n\nb\n");
  // A standard line break still reads all three forms.
  sl.SetText("x\r\ny\rz");
  EXPECT_EQ(Lines(sl), (QStringList{"x", "y", "z"}));
  // Any other line break is split on exactly.
  sl.SetLineBreak("|");
  sl.SetText("a|b\r\nc|");
  EXPECT_EQ(Lines(sl), (QStringList{"a", "b\r\nc"}));
}

TEST(StringListCommaText, WritesQuotesOnlyWhereNeeded) {
  struct Case {
    QStringList items;
    QString text;
  } cases[] = {
      {{}, ""},
      {{""}, "\"\""},
      {{"a", "b"}, "a,b"},
      {{"a b"}, "\"a b\""},
      {{"a\"b"}, "\"a\"\"b\""},
      {{"a,b"}, "\"a,b\""},
      {{"", "x", ""}, ",x,"},
      {{"tab\there"}, "\"tab\there\""},
      {{"a\r\nb"}, "\"a\r\nb\""},
      {{"caf\u00e9"}, "caf\u00e9"},
  };
  TStringList sl;
  for (const Case& c : cases) {
    Fill(sl, c.items);
    EXPECT_EQ(sl.CommaText(), c.text) << c.text.toStdString();
  }
}

TEST(StringListCommaText, ReadsLikeTheFramework) {
  struct Case {
    QString text;
    QStringList items;
  } cases[] = {
      {"", {}},
      {"   ", {}},
      {"a,b", {"a", "b"}},
      {"a b", {"a", "b"}},  // blanks separate outside quotes
      {" \"a b\" , c ", {"a b", "c"}},
      {"a,,b", {"a", "", "b"}},
      {"a , , b", {"a", "", "b"}},
      {"a,", {"a", ""}},
      {",a", {"", "a"}},
      {"\"\"", {""}},
      {"\"a\"\"b\"", {"a\"b"}},
      {"\"ab\"cd,e", {"ab", "cd", "e"}},
      {"a\"b", {"a\"b"}},       // a quote inside an item is plain text
      {"\"abc", {"abc"}},       // unclosed quote: the rest of the text, nothing lost
      {"a\tb", {"a", "b"}},
  };
  TStringList sl;
  for (const Case& c : cases) {
    sl.SetCommaText(c.text);
    EXPECT_EQ(Lines(sl), c.items) << c.text.toStdString();
  }
}

TEST(StringListCommaText, RoundTripKeepsAwkwardItems) {
  const QStringList items = {"", " lead", "trail ", "q\"q", ",", "two\r\nlines", "\"", "plain", ""};
  TStringList a, b;
  Fill(a, items);
  b.SetCommaText(a.CommaText());
  EXPECT_EQ(Lines(b), items);
  // The settings of the list are left as they were.
  a.SetDelimiter(';');
  a.SetQuoteChar('\'');
  (void)a.CommaText();
  a.SetCommaText("x,y");
  EXPECT_EQ(a.Delimiter(), ';');
  EXPECT_EQ(a.QuoteChar(), '\'');
}

TEST(StringListDelimitedText, DelimiterQuoteCharAndStrictDelimiter) {
  TStringList sl;
  sl.SetDelimiter(';');
  sl.SetQuoteChar('\'');
  sl.SetDelimitedText("a b;'c;d';'it''s'");
  EXPECT_EQ(Lines(sl), (QStringList{"a", "b", "c;d", "it's"}));
  EXPECT_EQ(sl.DelimitedText(), "a;b;'c;d';'it''s'");

  sl.SetStrictDelimiter(true);
  sl.SetDelimitedText(" a b ; c;;");
  EXPECT_EQ(Lines(sl), (QStringList{" a b ", " c", "", ""}));
  // Blanks need no quotes; the delimiter and the quote still do.
  EXPECT_EQ(sl.DelimitedText(), " a b ; c;;");
  Fill(sl, {"x y", "p;q", "o'k"});
  EXPECT_EQ(sl.DelimitedText(), "x y;'p;q';'o''k'");
  // CommaText keeps StrictDelimiter.
  sl.SetCommaText("a b,c");
  EXPECT_EQ(Lines(sl), (QStringList{"a b", "c"}));
}

// --------------------------------------------------------------- names, values

TEST(StringListValues, NamesValuesAndValueFromIndex) {
  TStringList sl;
  Fill(sl, {"a=1", "B=2", "c", "=x", "d=e=f"});
  EXPECT_EQ(sl.Names(0), "a");
  EXPECT_EQ(sl.Names(2), "");
  EXPECT_EQ(sl.Names(4), "d");
  EXPECT_EQ(sl.Values("b"), "2");  // names ignore case
  EXPECT_EQ(sl.Values("d"), "e=f");
  EXPECT_EQ(sl.Values("c"), "");  // a line without "=" has no name
  EXPECT_EQ(sl.Values(""), "x");
  EXPECT_EQ(sl.Values("zz"), "");
  EXPECT_EQ(sl.IndexOfName("D"), 4);
  EXPECT_EQ(sl.IndexOfName("c"), -1);
  EXPECT_EQ(sl.ValueFromIndex(4), "e=f");
  EXPECT_EQ(sl.ValueFromIndex(2), "");
  EXPECT_EQ(sl.ValueFromIndex(-1), "");
}

TEST(StringListValues, SettingReplacesAddsOrDeletes) {
  TStringList sl;
  Fill(sl, {"a=1", "B=2", "c"});
  sl.SetValues("A", "9");
  sl.SetValues("new", "v");
  sl.SetValues("c", "");  // no such name: nothing happens
  sl.SetValues("b", "");  // empty value deletes
  sl.SetValues("gone", "");
  EXPECT_EQ(Lines(sl), (QStringList{"A=9", "c", "new=v"}));
  sl.SetValueFromIndex(0, "10");
  sl.SetValueFromIndex(-1, "z");  // -1 adds a line with an empty name
  EXPECT_EQ(Lines(sl), (QStringList{"A=10", "c", "new=v", "=z"}));
  sl.SetValueFromIndex(1, "");
  EXPECT_EQ(Lines(sl), (QStringList{"A=10", "new=v", "=z"}));

  sl.SetNameValueSeparator(':');
  Fill(sl, {"k:v=w", "x=y"});
  EXPECT_EQ(sl.Values("k"), "v=w");
  EXPECT_EQ(sl.Values("x"), "");
  sl.SetValues("x", "1");
  EXPECT_EQ(Lines(sl), (QStringList{"k:v=w", "x=y", "x:1"}));
}

TEST(StringListValues, BaseClassPutMoveAndExchangeWork) {
  PlainStrings s;
  s.AddStrings(QStringList{"a=1", "b=2", "c=3"});
  s.SetValues("B", "20");
  EXPECT_EQ(Lines(s), (QStringList{"a=1", "B=20", "c=3"}));
  s.Move(0, 2);
  EXPECT_EQ(Lines(s), (QStringList{"B=20", "c=3", "a=1"}));
  s.Exchange(0, 1);
  EXPECT_EQ(Lines(s), (QStringList{"c=3", "B=20", "a=1"}));
  // A bad target refuses before the line leaves its place.
  EXPECT_THROW(s.Move(0, 3), EListError);
  EXPECT_EQ(s.Count(), 3);
  EXPECT_EQ(s.IndexOf("b=20"), 1);
}

// ----------------------------------------------------------- sorted, duplicates

TEST(StringListSorted, DuplicatesModes) {
  const QStringList input = {"b", "a", "B", "c", "a"};
  struct Case {
    TDuplicates dup;
    bool caseSensitive;
    QStringList result;
    bool raises;
  } cases[] = {
      {dupIgnore, false, {"a", "b", "c"}, false},
      {dupAccept, false, {"a", "a", "B", "b", "c"}, false},  // new equal strings go first
      {dupError, false, {"a", "b"}, true},
      {dupIgnore, true, {"a", "b", "B", "c"}, false},  // lower case first
      {dupError, true, {"a", "b", "B", "c"}, true},
  };
  for (const Case& c : cases) {
    TStringList sl;
    sl.SetSorted(true);
    sl.SetDuplicates(c.dup);
    sl.SetCaseSensitive(c.caseSensitive);
    bool raised = false;
    try {
      for (const QString& s : input) sl.Add(s);
    } catch (const EStringListError& e) {
      raised = true;
      EXPECT_EQ(e.Message(), "String list does not allow duplicates");
    }
    EXPECT_EQ(raised, c.raises) << c.dup;
    EXPECT_EQ(Lines(sl), c.result) << c.dup << " " << c.caseSensitive;
  }
}

TEST(StringListSorted, AddReturnsIndexAndIgnoredDuplicateGivesExistingIndex) {
  TStringList sl;
  sl.SetSorted(true);
  EXPECT_EQ(sl.Add("m"), 0);
  EXPECT_EQ(sl.Add("z"), 1);
  EXPECT_EQ(sl.Add("a"), 0);
  EXPECT_EQ(sl.Add("Z"), 2);  // dupIgnore: the index of the "z" already there
  EXPECT_EQ(sl.Count(), 3);
  // An unsorted list accepts duplicates whatever Duplicates says.
  TStringList plain;
  plain.SetDuplicates(dupError);
  plain.Add("x");
  EXPECT_NO_THROW(plain.Add("x"));
}

TEST(StringListSorted, OrderFollowsAnsiCompareTextOrAnsiCompareStr) {
  const QStringList input = {"b", "_x", "\u00e9t\u00e9", "10", "2", "A", "f", "E", "a", "B"};
  for (bool cs : {false, true}) {
    TStringList sl;
    sl.SetDuplicates(dupAccept);
    sl.SetCaseSensitive(cs);
    sl.AddStrings(input);
    sl.SetSorted(true);
    EXPECT_EQ(sl.Count(), input.size());
    for (int i = 1; i < sl.Count(); ++i) {
      const int c = cs ? AnsiCompareStr(sl[i - 1], sl[i]) : AnsiCompareText(sl[i - 1], sl[i]);
      EXPECT_LE(c, 0) << sl[i - 1].toStdString() << " / " << sl[i].toStdString();
    }
  }
}

TEST(StringListSorted, FindAndIndexOf) {
  TStringList sl;
  sl.SetSorted(true);
  sl.AddStrings(QStringList{"apple", "cherry", "banana"});
  int index = -1;
  EXPECT_TRUE(sl.Find("BANANA", index));
  EXPECT_EQ(index, 1);
  EXPECT_FALSE(sl.Find("blueberry", index));
  EXPECT_EQ(index, 2);  // where it would go
  EXPECT_FALSE(sl.Find("zz", index));
  EXPECT_EQ(index, 3);
  EXPECT_EQ(sl.IndexOf("Cherry"), 2);
  EXPECT_EQ(sl.IndexOf("kiwi"), -1);
  sl.SetCaseSensitive(true);
  EXPECT_EQ(sl.IndexOf("Cherry"), -1);
  EXPECT_EQ(sl.IndexOf("cherry"), 2);
}

TEST(StringListSorted, CaseSensitiveChangeResorts) {
  TStringList sl;
  sl.SetSorted(true);
  sl.SetDuplicates(dupAccept);
  sl.AddStrings(QStringList{"b", "B", "a"});
  EXPECT_EQ(Lines(sl), (QStringList{"a", "B", "b"}));
  sl.SetCaseSensitive(true);
  EXPECT_EQ(Lines(sl), (QStringList{"a", "b", "B"}));
}

TEST(StringListSorted, ChangesThatWouldBreakTheOrderAreRefused) {
  TStringList sl;
  sl.SetSorted(true);
  sl.AddStrings(QStringList{"a", "b", "c"});
  for (auto op : {std::function<void()>([&] { sl.Insert(0, "x"); }),
                  std::function<void()>([&] { sl.SetStrings(0, "x"); }),
                  std::function<void()>([&] { sl.Move(0, 2); })}) {
    try {
      op();
      ADD_FAILURE() << "no exception";
    } catch (const EStringListError& e) {
      EXPECT_EQ(e.Message(), "Operation not allowed on sorted list");
    }
  }
  EXPECT_EQ(Lines(sl), (QStringList{"a", "b", "c"}));  // nothing lost
  // Unsorting keeps the order; sorting again re-sorts.
  sl.SetSorted(false);
  sl.Insert(0, "z");
  sl.SetSorted(true);
  EXPECT_EQ(Lines(sl), (QStringList{"a", "b", "c", "z"}));
}

TEST(StringListSorted, CustomSortSurvivesAComparisonThatContradictsItself) {
  TStringList sl;
  Fill(sl, {"ccc", "a", "bb", "dddd", "", "ee"});
  sl.CustomSort([](TStringList* l, int i, int j) {
    return static_cast<int>(l->Strings(i).size() - l->Strings(j).size());
  });
  EXPECT_EQ(Lines(sl).first(2), (QStringList{"", "a"}));
  EXPECT_EQ(Lines(sl).last(1), (QStringList{"dddd"}));
  QStringList before = Lines(sl);
  for (int answer : {-1, 1}) {
    sl.CustomSort([answer](TStringList*, int, int) { return answer; });
    QStringList after = Lines(sl);
    after.sort();
    QStringList expected = before;
    expected.sort();
    EXPECT_EQ(after, expected);  // same strings, nothing read outside the list
  }
}

// ----------------------------------------------------------- errors and events

TEST(StringListErrors, IndexErrorsNameTheIndex) {
  TStringList sl;
  Fill(sl, {"a", "b"});
  struct Case {
    std::function<void()> op;
    int index;
  } cases[] = {
      {[&] { (void)sl.Strings(-1); }, -1},
      {[&] { (void)sl.Strings(2); }, 2},
      {[&] { (void)sl.Objects(5); }, 5},
      {[&] { sl.SetStrings(2, "x"); }, 2},
      {[&] { sl.Delete(2); }, 2},
      {[&] { sl.Insert(3, "x"); }, 3},
      {[&] { sl.Exchange(0, 7); }, 7},
  };
  for (const Case& c : cases) {
    try {
      c.op();
      ADD_FAILURE() << "no exception for " << c.index;
    } catch (const EListError& e) {
      EXPECT_EQ(e.Message(), QString("List index out of bounds (%1)").arg(c.index));
    }
  }
  EXPECT_EQ(Lines(sl), (QStringList{"a", "b"}));
  sl.Insert(2, "c");  // the end is a valid place
  EXPECT_EQ(sl.Strings(2), "c");
}

TEST(StringListEvents, ChangingAndChangeBracketEachChangeOrAnUpdate) {
  TStringList sl;
  QStringList log;
  sl.OnChanging = [&](TObject* sender) { log << "changing"; EXPECT_EQ(sender, &sl); };
  sl.OnChange = [&](TObject*) { log << QString("change %1").arg(sl.Count()); };
  sl.Add("a");
  EXPECT_EQ(log, (QStringList{"changing", "change 1"}));
  log.clear();
  sl.BeginUpdate();
  sl.Add("b");
  sl.BeginUpdate();
  sl.Delete(0);
  sl.EndUpdate();
  sl.Add("c");
  EXPECT_EQ(log, (QStringList{"changing"}));
  sl.EndUpdate();
  EXPECT_EQ(log, (QStringList{"changing", "change 2"}));
  log.clear();
  sl.SetText("x\ny\nz");
  sl.SetCommaText("p,q");
  EXPECT_EQ(log, (QStringList{"changing", "change 3", "changing", "change 2"}));
  log.clear();
  sl.Clear();
  sl.Clear();  // nothing to clear: no event
  EXPECT_EQ(log, (QStringList{"changing", "change 0"}));
}

TEST(StringListObjects, OwnsObjectsFreesWhatLeavesTheList) {
  int freed = 0;
  {
    TStringList sl(true);
    sl.AddObject("a", new Counted(&freed));
    sl.AddObject("b", new Counted(&freed));
    sl.AddObject("c", new Counted(&freed));
    sl.AddObject("d", new Counted(&freed));
    sl.Delete(0);
    EXPECT_EQ(freed, 1);
    sl.Move(0, 2);  // moving is no deleting
    EXPECT_EQ(freed, 1);
    EXPECT_EQ(sl.IndexOfObject(sl.Objects(2)), 2);
    sl.Clear();
    EXPECT_EQ(freed, 4);
    sl.AddObject("e", new Counted(&freed));
  }
  EXPECT_EQ(freed, 5);

  Counted keep(&freed);
  {
    TStringList sl;
    sl.AddObject("k", &keep);
    sl.Delete(0);
    sl.AddObject("k", &keep);
  }
  EXPECT_EQ(freed, 5);  // a list that does not own its objects leaves them alone
}

TEST(StringListAssign, CopiesLinesObjectsAndSettings) {
  TStringList src;
  src.SetSorted(true);
  src.SetDuplicates(dupAccept);
  src.SetCaseSensitive(true);
  src.SetDelimiter(';');
  src.SetNameValueSeparator(':');
  TObject obj;
  src.AddObject("b", &obj);
  src.Add("a");
  src.Add("a");

  TStringList dst;
  dst.Add("old");
  dst.Assign(&src);
  EXPECT_EQ(Lines(dst), (QStringList{"a", "a", "b"}));
  EXPECT_EQ(dst.Objects(2), &obj);
  EXPECT_TRUE(dst.Sorted());
  EXPECT_EQ(dst.Duplicates(), dupAccept);
  EXPECT_TRUE(dst.CaseSensitive());
  EXPECT_EQ(dst.Delimiter(), ';');
  EXPECT_EQ(dst.NameValueSeparator(), ':');
  EXPECT_TRUE(dst.Equals(&src));
  dst.SetSorted(false);
  dst.Exchange(0, 2);
  EXPECT_FALSE(dst.Equals(&src));

  // AddStrings into a sorted list follows its duplicate rule.
  TStringList merged;
  merged.SetSorted(true);
  merged.Add("A");
  merged.AddStrings(&src);
  EXPECT_EQ(Lines(merged), (QStringList{"A", "b"}));

  TCollection notStrings(CollectionItemClass<TCollectionItem>());
  EXPECT_THROW(dst.Assign(&notStrings), EConvertError);
}
