#include "SynHighlighterSQL.h"

#include "CharClasses.h"

#include <string_view>

namespace {

constexpr SynColor clMaroon = 0x000080;
constexpr SynColor clNavy = 0x800000;
constexpr SynColor clTeal = 0x808000;

// Codes 1 to 32 except the line breaks, which are tokens of their own.
constexpr bool isBlank(char16_t c)
{
    return c >= 1 && c <= 32 && c != u'\n' && c != u'\r';
}

// Letters hash to 2..27 in either case and "_" to 1; digits, "#" and "$" continue a word but hash
// to 0, so they match one another in a keyword comparison. The MS SQL dialects also take "@" (28)
// into words.
SynHashCharTables makeTables(bool atSignInWords)
{
    SynHashCharTables t;
    for (int c = 0; c < 256; ++c) {
        t.identifier[c] = t.inHash[c] = isAsciiLetter(c) || isAsciiDigit(c) || c == '_' || c == '#' || c == '$';
        t.value[c] = isAsciiLetter(c) ? (c & 0x1F) + 1 : c == '_' ? 1 : 0;
    }
    if (atSignInWords) {
        t.identifier['@'] = t.inHash['@'] = true;
        t.value['@'] = 28;
    }
    return t;
}

const SynHashCharTables &commonTables()
{
    static const SynHashCharTables tables = makeTables(false);
    return tables;
}

const SynHashCharTables &msSqlTables()
{
    static const SynHashCharTables tables = makeTables(true);
    return tables;
}

// The hash of the run of identifier characters at the start of text, and the run's length. The
// hash doubles at every character, so it is kept to its low byte as it goes.
std::pair<int, qsizetype> hashWord(const SynHashCharTables &tables, QStringView text)
{
    unsigned hash = 0;
    qsizetype length = 0;
    while (length < text.size() && tables.isIdentifier(text[length])) {
        hash = (2 * hash + static_cast<unsigned>(tables.hashValue(text[length]))) & 0xFF;
        ++length;
    }
    return {static_cast<int>(hash), length};
}

// Both of the same length and, position by position, of the same hash value.
bool sameHashValues(const SynHashCharTables &tables, QStringView word, const QString &keyword)
{
    if (word.size() != keyword.size())
        return false;
    for (qsizetype i = 0; i < word.size(); ++i) {
        if (tables.hashValue(word[i]) != tables.hashValue(keyword[i]))
            return false;
    }
    return true;
}

// The 373 Sybase reserved words, in the form the keyword list expansion reads.
// clang-format off
constexpr std::u16string_view SybaseKeywords =
    u"absolute,action,add,after,alias,all,allocate,alter,and,any,are,arith_overflow,as,asc,assertion,"
    u"async,at,authorization,avg,before,begin,between,bit,bit_length,boolean,both,breadth,break,browse,"
    u"bulk,by,call,cascade,cascaded,case,cast,catalog,char,char_convert,char_length,character,"
    u"character_length,check,checkpoint,close,clustered,coalesce,collate,collation,column,commit,"
    u"completion,compute,confirm,connect,connection,constraint,constraints,continue,controlrow,convert,"
    u"corresponding,count,create,cross,current,current_date,current_time,current_timestamp,current_user,"
    u"cursor,cycle,data,database,date,day,dbcc,deallocate,dec,decimal,declare,default,deferrable,deferred,"
    u"delete,depth,desc,describe,descriptor,diagnostics,dictionary,dis,disconnect,distinct,domain,double,"
    u"drop,dummy,dump,each,else,elseif,en,end,endtran,equals,errlvl,errordata,errorexit,escape,except,"
    u"exception,exclusive,exec,execute,exists,exit,exp_row_size,external,extract,false,fetch,fillfactor,"
    u"first,float,for,foreign,found,from,full,general,get,global,go,goto,grant,group,having,holdlock,hour,"
    u"identity,identity_gap,identity_insert,identity_start,if,ignore,immediate,in,index,indicator,"
    u"initially,inner,input,insensitive,insert,install,int,integer,intersect,interval,into,is,isolation,"
    u"jar,join,key,kill,language,last,leading,leave,left,less,level,like,limit,lineno,load,local,lock,"
    u"loop,lower,match,max,max_rows_per_page,min,minute,mirror,mirrorexit,modify,module,month,names,"
    u"national,natural,nchar,new,next,no,noholdlock,nonclustered,none,not,null,nullif,numeric,"
    u"numeric_truncation,object,octet_length,of,off,offsets,oid,old,on,once,online,only,open,operation,"
    u"operators,option,or,order,others,outer,output,over,overlaps,pad,parameters,partial,partition,"
    u"pendant,perm,permanent,plan,position,precision,preorder,prepare,preserve,primary,print,prior,"
    u"private,privileges,proc,procedure,processexit,protected,proxy_table,public,quiesce,raiserror,read,"
    u"readpast,readtext,real,reconfigure,recursive,ref,reference,referencing,relative,remove,reorg,"
    u"replace,replication,reservepagegap,resignal,restrict,return,returns,revoke,right,role,rollback,"
    u"routine,row,rowcount,rows,rule,save,savepoint,schema,scroll,search,second,section,select,sensitive,"
    u"sequence,session_user,set,setuser,shared,shutdown,signal,similar,size,smallint,some,space,sql,"
    u"sqlcode,sqlerror,sqlexception,sqlstate,statistics,stripe,structure,substring,sum,syb_identity,"
    u"syb_restree,system_user,table,temp,temporary,test,textsize,then,there,time,timestamp,timezone_hour,"
    u"timezone_minute,to,trailing,tran,transaction,translate,translation,trigger,trim,true,truncate,"
    u"tsequal,type,under,union,unique,unknown,unpartition,update,upper,usage,use,user,user_option,using,"
    u"value,values,varchar,variable,varying,view,virtual,visible,wait,waitfor,when,whenever,where,while,"
    u"with,without,work,write,writetext,year,zone";
// clang-format on

// The second characters that make a two-character symbol with the first.
constexpr std::u16string_view pairFollowers(char16_t first)
{
    switch (first) {
    case u'&': return u"&=";
    case u'+': return u"+=";
    case u'|': return u"=|";
    case u'=':
    case u'>': return u"=>";
    default: return u"="; // ! % * ^
    }
}

constexpr bool isKeywordKind(SynSQLSyn::TokenKind kind)
{
    using K = SynSQLSyn::TokenKind;
    return kind == K::DataType || kind == K::DefaultPackage || kind == K::Exception || kind == K::Function
        || kind == K::Key || kind == K::PLSQL;
}

} // namespace

SynSQLSyn::SynSQLSyn()
    : m_commentAttri(AddAttri(QStringLiteral("Comment"), fsItalic)),
      m_dataTypeAttri(AddAttri(QStringLiteral("Data type"), fsBold)),
      m_defaultPackageAttri(AddAttri(QStringLiteral("Default packages"), fsBold)),
      m_exceptionAttri(AddAttri(QStringLiteral("Exception"), fsItalic)),
      m_functionAttri(AddAttri(QStringLiteral("Function"), fsBold)),
      m_identifierAttri(AddAttri(QStringLiteral("Identifier"))),
      m_keyAttri(AddAttri(QStringLiteral("Reserved word"), fsBold)),
      m_numberAttri(AddAttri(QStringLiteral("Number"))),
      m_plsqlAttri(AddAttri(QStringLiteral("Reserved word (PL/SQL)"), fsBold)),
      m_spaceAttri(AddAttri(QStringLiteral("Space"))),
      m_sqlPlusAttri(AddAttri(QStringLiteral("SQL*Plus command"), fsBold)),
      m_stringAttri(AddAttri(QStringLiteral("String"))),
      m_symbolAttri(AddAttri(QStringLiteral("Symbol"))),
      m_tableNameAttri(AddAttri(QStringLiteral("Table name"))),
      m_variableAttri(AddAttri(QStringLiteral("Variable")))
{
    // Kinds left out (the end of the line) have no attribute; other characters look like identifiers.
    const std::pair<TokenKind, SynHighlighterAttributes *> kindAttributes[] = {
        {TokenKind::Comment, m_commentAttri},
        {TokenKind::DataType, m_dataTypeAttri},
        {TokenKind::DefaultPackage, m_defaultPackageAttri},
        {TokenKind::Exception, m_exceptionAttri},
        {TokenKind::Function, m_functionAttri},
        {TokenKind::Identifier, m_identifierAttri},
        {TokenKind::Key, m_keyAttri},
        {TokenKind::Number, m_numberAttri},
        {TokenKind::Space, m_spaceAttri},
        {TokenKind::PLSQL, m_plsqlAttri},
        {TokenKind::SQLPlus, m_sqlPlusAttri},
        {TokenKind::String, m_stringAttri},
        {TokenKind::Symbol, m_symbolAttri},
        {TokenKind::TableName, m_tableNameAttri},
        {TokenKind::Unknown, m_identifierAttri},
        {TokenKind::Variable, m_variableAttri},
    };
    for (const auto &[kind, attribute] : kindAttributes)
        m_kindAttri[static_cast<size_t>(kind)] = attribute;
    ConnectAttributes();
    buildDispatchTable();
    buildKeywordTable();
    SetDefaultFilter(QStringLiteral("SQL Files (*.sql)|*.sql"));
}

void SynSQLSyn::buildDispatchTable()
{
    // "#", "$", backslash, backtick and everything from 127 up stay "other character".
    m_dispatch.fill(&SynSQLSyn::unknownProc);
    for (int c = 0; c < 256; ++c) {
        if (isBlank(c))
            m_dispatch[c] = &SynSQLSyn::spaceProc;
        else if (isAsciiLetter(c) || c == '_')
            m_dispatch[c] = &SynSQLSyn::identProc;
        else if (isAsciiDigit(c))
            m_dispatch[c] = &SynSQLSyn::numberProc;
    }
    const struct {
        std::u16string_view chars;
        Handler handler;
    } rules[] = {
        {std::u16string_view(u"\0", 1), &SynSQLSyn::nullProc},
        {u"\n", &SynSQLSyn::lfProc},
        {u"\r", &SynSQLSyn::crProc},
        {u"@", &SynSQLSyn::variableProc},
        {u"'", &SynSQLSyn::singleStringProc},
        {u"\"", &SynSQLSyn::doubleStringProc},
        {u"-", &SynSQLSyn::minusProc},
        {u"/", &SynSQLSyn::slashProc},
        {u"<", &SynSQLSyn::lowerProc},
        {u"!%*^&+|=>", &SynSQLSyn::pairProc},
        {u"(),.;:?[]{}~", &SynSQLSyn::singleSymbolProc},
    };
    for (const auto &rule : rules)
        for (char16_t c : rule.chars)
            m_dispatch[c] = rule.handler;
}

const SynHashCharTables &SynSQLSyn::charTables() const
{
    const bool msSql = m_dialect == SQLDialect::sqlMSSQL7 || m_dialect == SQLDialect::sqlMSSQL2K;
    return msSql ? msSqlTables() : commonTables();
}

void SynSQLSyn::buildKeywordTable()
{
    m_keywords.Clear();
    if (m_dialect == SQLDialect::sqlSybase) {
        EnumerateKeywords(static_cast<int>(TokenKind::Key), SybaseKeywords, WordChars(),
                          [this](QStringView keyword, int kind) {
                              const int hash = hashWord(charTables(), keyword).first;
                              try {
                                  m_keywords.Put(hash, std::make_unique<SynHashEntry>(keyword.toString(), kind));
                              } catch (const SynDuplicateKeyword &duplicate) {
                                  SynRaiseError(duplicate.message());
                              }
                          });
    }
    for (const QString &name : m_tableNames)
        addTableName(name);
    AttriChanged();
}

// A name already in its chain (a keyword, or an earlier table name) is skipped; an empty one could
// never match a word.
void SynSQLSyn::addTableName(const QString &name)
{
    if (name.isEmpty())
        return;
    const int hash = hashWord(charTables(), name).first;
    const QString upper = name.toUpper();
    for (const SynHashEntry *entry = m_keywords.Get(hash); entry; entry = entry->Next.get()) {
        if (entry->Keyword.toUpper() == upper)
            return;
    }
    try {
        m_keywords.Put(hash, std::make_unique<SynHashEntry>(name, static_cast<int>(TokenKind::TableName)));
    } catch (const SynDuplicateKeyword &) {
        // Case folding found a twin that upper-casing did not: skipped all the same.
    }
}

void SynSQLSyn::SetTableNames(const QStringList &names)
{
    if (names == m_tableNames)
        return;
    m_tableNames = names;
    buildKeywordTable();
}

void SynSQLSyn::SetSQLDialect(SQLDialect dialect)
{
    if (dialect == m_dialect)
        return;
    m_dialect = dialect;
    buildKeywordTable();
}

void SynSQLSyn::ApplyMainFormSettings()
{
    m_commentAttri->SetForeground(clTeal);
    m_numberAttri->SetForeground(clNavy);
    m_tableNameAttri->SetForeground(clMaroon);
    m_tableNameAttri->SetStyle(fsBold);
    SetDefaultFilter(QStringLiteral("SQL Files (*.sql)|*.sql"));
    SetSQLDialect(SQLDialect::sqlSybase);
}

SynHighlighterAttributes *SynSQLSyn::StandardAttri(int index) const
{
    switch (index) {
    case siComment: return m_commentAttri;
    case siIdentifier: return m_identifierAttri;
    case siKeyword: return m_keyAttri;
    case siString: return m_stringAttri;
    case siWhitespace: return m_spaceAttri;
    case siSymbol: return m_symbolAttri;
    default: return nullptr;
    }
}

CharSet SynSQLSyn::WordChars() const
{
    return LatinWordChars();
}

std::pair<SynSQLSyn::TokenKind, qsizetype> SynSQLSyn::lookUp(QStringView text) const
{
    const SynHashCharTables &tables = charTables();
    const auto [hash, length] = hashWord(tables, text);
    const QStringView word = text.left(length);
    // Chains run from short to long keywords.
    for (const SynHashEntry *entry = m_keywords.Get(hash); entry && entry->KeyLen <= length;
         entry = entry->Next.get()) {
        if (sameHashValues(tables, word, entry->Keyword))
            return {static_cast<TokenKind>(entry->Kind), length};
    }
    return {TokenKind::Identifier, length};
}

bool SynSQLSyn::IsKeywordText(QStringView word) const
{
    return isKeywordKind(lookUp(word).first);
}

void SynSQLSyn::BeginLine(QStringView line, int lineIndex)
{
    m_line = line;
    m_lineIndex = lineIndex;
    m_run = 0;
    Advance();
}

void SynSQLSyn::Advance()
{
    m_tokenStart = m_run;
    const bool open = m_range == rsComment || m_range == rsString;
    if (open && !atLineBreak()) {
        if (m_range == rsComment)
            continueComment();
        else
            continueString();
        return;
    }
    // Line breaks inside an open construct are blanks and keep it open.
    if (!open)
        m_range = rsNormal;
    const char16_t c = at(m_run);
    (this->*m_dispatch[c < 256 ? c : 255])();
}

void SynSQLSyn::token(TokenKind kind, qsizetype length)
{
    m_kind = kind;
    m_run += length;
}

void SynSQLSyn::symbolOrPair(std::u16string_view followers)
{
    const char16_t next = at(m_run + 1);
    token(TokenKind::Symbol, next != u'\0' && followers.find(next) != std::u16string_view::npos ? 2 : 1);
}

void SynSQLSyn::nullProc()
{
    m_kind = TokenKind::Null;
}

void SynSQLSyn::lfProc()
{
    token(TokenKind::Space, 1);
}

void SynSQLSyn::crProc()
{
    token(TokenKind::Space, at(m_run + 1) == u'\n' ? 2 : 1);
}

void SynSQLSyn::spaceProc()
{
    m_kind = TokenKind::Space;
    while (isBlank(at(m_run)))
        ++m_run;
}

void SynSQLSyn::identProc()
{
    const auto [kind, length] = lookUp(m_line.mid(m_run));
    token(kind, length);
}

// Digits, "." and "-" continue a number ("2-3" is one token), but ".." and "--" never belong to
// one: "1..5" is a range and "1--x" a number before a comment.
void SynSQLSyn::numberProc()
{
    m_kind = TokenKind::Number;
    ++m_run;
    for (;;) {
        const char16_t c = at(m_run);
        const bool joins = isAsciiDigit(c) || ((c == u'.' || c == u'-') && at(m_run + 1) != c);
        if (!joins)
            return;
        ++m_run;
    }
}

void SynSQLSyn::variableProc()
{
    const qsizetype length = hashWord(charTables(), m_line.mid(m_run + 1)).second;
    token(TokenKind::Variable, 1 + length);
}

void SynSQLSyn::singleStringProc()
{
    m_range = rsString;
    m_kind = TokenKind::String;
    ++m_run;
    continueString();
}

// No escapes: a doubled quote closes one string and opens the next.
void SynSQLSyn::continueString()
{
    m_kind = TokenKind::String;
    while (!atLineBreak()) {
        const char16_t c = at(m_run++);
        if (c == u'\'') {
            m_range = rsNormal;
            return;
        }
    }
}

// A doubled quote and a backslash before a quote stay inside; the string never leaves its line.
void SynSQLSyn::doubleStringProc()
{
    m_kind = TokenKind::String;
    ++m_run;
    while (!atLineBreak()) {
        const char16_t c = at(m_run);
        if ((c == u'"' || c == u'\\') && at(m_run + 1) == u'"') {
            m_run += 2;
            continue;
        }
        ++m_run;
        if (c == u'"')
            return;
    }
}

void SynSQLSyn::minusProc()
{
    if (at(m_run + 1) != u'-') {
        token(TokenKind::Symbol, 1);
        return;
    }
    m_kind = TokenKind::Comment;
    while (!atLineBreak())
        ++m_run;
}

void SynSQLSyn::slashProc()
{
    switch (at(m_run + 1)) {
    case u'*':
        m_range = rsComment;
        m_run += 2; // the "*" of "/*" cannot also close the comment
        continueComment();
        break;
    case u'=': token(TokenKind::Symbol, 2); break;
    default: token(TokenKind::Symbol, 1);
    }
}

void SynSQLSyn::continueComment()
{
    m_kind = TokenKind::Comment;
    while (!atLineBreak()) {
        if (at(m_run) == u'*' && at(m_run + 1) == u'/') {
            m_run += 2;
            m_range = rsNormal;
            return;
        }
        ++m_run;
    }
}

void SynSQLSyn::lowerProc()
{
    if (at(m_run + 1) == u'<')
        token(TokenKind::Symbol, at(m_run + 2) == u'=' ? 3 : 2);
    else
        symbolOrPair(u"=");
}

void SynSQLSyn::pairProc()
{
    symbolOrPair(pairFollowers(at(m_run)));
}

void SynSQLSyn::singleSymbolProc()
{
    token(TokenKind::Symbol, 1);
}

// A character outside the language; a surrogate pair is one character, never split.
void SynSQLSyn::unknownProc()
{
    const bool pair = QChar::isHighSurrogate(at(m_run)) && QChar::isLowSurrogate(at(m_run + 1));
    token(TokenKind::Unknown, pair ? 2 : 1);
}
