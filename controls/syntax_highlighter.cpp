#include "controls/syntax_highlighter.h"

#include <QGuiApplication>
#include <algorithm>
#include <QPalette>
#include <QSet>
#include <QStringList>

namespace vl {

namespace {

constexpr const char* kPascalKeywords =
    "and,array,begin,case,const,div,do,downto,else,end,except,finally,for,function,if,in,is,mod,nil,not,of,or,"
    "procedure,program,repeat,shl,shr,string,then,to,try,until,uses,var,while,with,xor";
constexpr const char* kCppKeywords =
    "bool,break,case,char,continue,define,default,delete,do,double,else,except,finally,float,for,if,include,int,"
    "is,new,return,string,switch,try,variant,void,while";
constexpr const char* kSqlKeywords =
    "active,after,all,alter,and,any,as,asc,ascending,at,auto,base_name,before,begin,between,by,cache,cast,check,"
    "column,commit,committed,computed,conditional,constraint,containing,count,create,current,cursor,database,"
    "debug,declare,default,delete,desc,descending,distinct,do,domain,drop,else,end,entry_point,escape,exception,"
    "execute,exists,exit,external,extract,filter,for,foreign,from,full,function,generator,grant,group,having,if,"
    "in,inactive,index,inner,insert,into,is,isolation,join,key,left,level,like,merge,names,no,not,null,of,on,"
    "only,or,order,outer,parameter,password,plan,position,primary,privileges,procedure,protected,read,retain,"
    "returns,revoke,right,rollback,schema,select,set,shadow,shared,snapshot,some,suspend,table,then,to,"
    "transaction,trigger,uncommitted,union,unique,update,user,using,view,wait,when,where,while,with,work";

// Block comments still open at a line's end.
enum OpenComment : int { ocNone = 0, ocBrace = 1, ocParenStar = 2, ocSlashStar = 3 };

const QSet<QString>& Keywords(TSyntaxType type) {
  static const auto make = [](const char* list) {
    QSet<QString> set;
    for (const QString& w : QString::fromLatin1(list).split(QLatin1Char(','))) set.insert(w);
    return set;
  };
  static const QSet<QString> pascal = make(kPascalKeywords), cpp = make(kCppKeywords), sql = make(kSqlKeywords),
                             none;
  switch (type) {
    case stPascal: return pascal;
    case stCpp: return cpp;
    case stSQL: return sql;
    default: return none;
  }
}

bool IdentStart(QChar c) { return c.isLetter() || c == QLatin1Char('_'); }
bool IdentPart(QChar c) { return c.isLetterOrNumber() || c == QLatin1Char('_'); }

}  // namespace

const char* vlSyntaxKeywords(TSyntaxType type) {
  switch (type) {
    case stPascal: return kPascalKeywords;
    case stCpp: return kCppKeywords;
    case stSQL: return kSqlKeywords;
    default: return "";
  }
}

std::vector<std::uint8_t> vlClassifySyntaxLine(const QString& line, TSyntaxType type, int& state) {
  const qsizetype n = line.size();
  std::vector<std::uint8_t> cls(static_cast<std::size_t>(n), scNone);
  auto mark = [&](qsizetype from, qsizetype to, std::uint8_t c) {
    for (qsizetype k = from; k < to; ++k) cls[static_cast<std::size_t>(k)] = c;
  };
  auto at = [&](qsizetype p, const char* s) {
    for (qsizetype k = 0; s[k]; ++k)
      if (p + k >= n || line[p + k] != QLatin1Char(s[k])) return false;
    return true;
  };
  // Marks a block comment from i up to and including its closer; the state
  // stays open when the line ends first.
  auto closeComment = [&](qsizetype i) {
    const char* closer = state == ocBrace ? "}" : "*)";
    if (state == ocSlashStar) closer = "*/";
    const qsizetype end = line.indexOf(QLatin1String(closer), i);
    if (end < 0) {
      mark(i, n, scComment);
      return n;
    }
    const qsizetype stop = end + static_cast<qsizetype>(qstrlen(closer));
    mark(i, stop, scComment);
    state = ocNone;
    return stop;
  };

  qsizetype i = 0;
  if (state != ocNone) i = closeComment(0);
  const bool pascal = type == stPascal, cLike = type == stCpp || type == stSQL;
  const QSet<QString>& keywords = Keywords(type);
  while (i < n) {
    const QChar c = line[i];
    if (c.unicode() <= 32) {
      ++i;
    } else if (type != stText && IdentStart(c)) {
      qsizetype j = i + 1;
      while (j < n && IdentPart(line[j])) ++j;
      mark(i, j, keywords.contains(line.mid(i, j - i).toLower()) ? scKeyword : scText);
      i = j;
    } else if ((pascal || type == stCpp) && at(i, "//")) {
      mark(i, n, scComment);
      i = n;
    } else if (type == stSQL && at(i, "--")) {
      mark(i, n, scComment);
      i = n;
    } else if (pascal && c == QLatin1Char('{')) {
      state = ocBrace;
      const qsizetype from = i;
      i = closeComment(i + 1);
      mark(from, i, scComment);
    } else if (pascal && at(i, "(*")) {
      state = ocParenStar;
      const qsizetype from = i;
      i = closeComment(i + 2);
      mark(from, i, scComment);
    } else if (cLike && at(i, "/*")) {
      state = ocSlashStar;
      const qsizetype from = i;
      i = closeComment(i + 2);
      mark(from, i, scComment);
    } else if ((pascal && c == QLatin1Char('\'')) || (cLike && c == QLatin1Char('"'))) {
      const qsizetype end = line.indexOf(c, i + 1);
      const qsizetype stop = end < 0 ? n : end + 1;
      mark(i, stop, scString);
      i = stop;
    } else {
      mark(i, i + 1, scText);
      ++i;
    }
  }
  return cls;
}

QTextCharFormat vlSyntaxFormat(TvlSyntaxClass cls) {
  QTextCharFormat f;
  const QColor windowText = QGuiApplication::palette().color(QPalette::WindowText);
  const QColor navy(0x00, 0x00, 0x80);
  switch (cls) {
    case scComment:
      f.setForeground(navy);
      f.setFontItalic(true);
      break;
    case scKeyword:
      f.setForeground(windowText);
      f.setFontWeight(QFont::Bold);
      break;
    case scString: f.setForeground(navy); break;
    default: f.setForeground(windowText); break;
  }
  return f;
}

TvlSyntaxHighlighter::TvlSyntaxHighlighter(QTextDocument* document, TSyntaxType type)
    : QSyntaxHighlighter(document), type_(type) {}

void TvlSyntaxHighlighter::SetSyntaxType(TSyntaxType type) {
  if (type == type_) return;
  type_ = type;
  rehighlight();
}

void TvlSyntaxHighlighter::highlightBlock(const QString& text) {
  int state = std::max(0, previousBlockState());
  const std::vector<std::uint8_t> cls = vlClassifySyntaxLine(text, type_, state);
  setCurrentBlockState(state);
  // Runs of one class share a format; plain text keeps the editor's own.
  qsizetype start = 0;
  const qsizetype n = static_cast<qsizetype>(cls.size());
  while (start < n) {
    qsizetype end = start + 1;
    while (end < n && cls[static_cast<std::size_t>(end)] == cls[static_cast<std::size_t>(start)]) ++end;
    const auto c = static_cast<TvlSyntaxClass>(cls[static_cast<std::size_t>(start)]);
    if (c == scComment || c == scKeyword || c == scString) setFormat(int(start), int(end - start), vlSyntaxFormat(c));
    start = end;
  }
}

}  // namespace vl
