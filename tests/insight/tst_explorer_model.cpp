#include "CodeExplorerModel.h"
#include "ReferenceExplorer.h"

#include <QtTest>

using reference::SourceFile;

Q_DECLARE_METATYPE(SourceFile)

namespace {

// The trees are compared as text, one node a line, indented two spaces a level below the file;
// entry names are quoted so that an empty one shows.
QString entryNode(const QString &name)
{
    return QStringLiteral("    \"") + name + u'"';
}

QStringList render(const CodeExplorerModel &model)
{
    QStringList nodes;
    for (qsizetype file = 0; file < model.fileCount(); ++file) {
        nodes.append(model.fileName(file) + QStringLiteral(" [") + model.fileType(file) + u']');
        for (ExplorerGroup group : ExplorerGroups) {
            nodes.append(QStringLiteral("  ") + model.groupCaption(file, group));
            const ScanResults &entries = model.entries(file, group);
            for (qsizetype entry = 0; entry < entries.size(); ++entry) {
                nodes.append(entryNode(entries[entry]));
                for (int line : model.occurrenceLines(file, group, entry))
                    nodes.append(QStringLiteral("      ") + model.occurrenceCaption(file, group, line));
            }
        }
    }
    return nodes;
}

QStringList render(const QList<reference::FileNode> &tree)
{
    QStringList nodes;
    for (const reference::FileNode &file : tree) {
        nodes.append(file.name + QStringLiteral(" [") + file.type + u']');
        for (const reference::Group &group : file.groups) {
            nodes.append(QStringLiteral("  ") + group.caption);
            for (const reference::Entry &entry : group.entries) {
                nodes.append(entryNode(entry.name));
                for (const QString &line : entry.lines)
                    nodes.append(QStringLiteral("      ") + line);
            }
        }
    }
    return nodes;
}

QStringList renderModel(const QList<SourceFile> &files)
{
    QList<ExplorerSource> sources;
    for (const SourceFile &file : files)
        sources.append({file.name, file.type, file.text});
    return render(CodeExplorerModel(sources));
}

QStringList renderReference(const QList<SourceFile> &files)
{
    return render(reference::BuildTree(files));
}

qsizetype depth(const QString &node)
{
    qsizetype spaces = 0;
    while (spaces < node.size() && node[spaces] == u' ')
        ++spaces;
    return spaces / 2;
}

// Empty when the trees are equal; otherwise the first node that differs, with its ancestors.
QString firstDifference(const QStringList &expected, const QStringList &actual)
{
    qsizetype at = 0;
    while (at < expected.size() && at < actual.size() && expected[at] == actual[at])
        ++at;
    if (at == expected.size() && at == actual.size())
        return {};
    const QStringList &longer = at < expected.size() ? expected : actual;
    QStringList ancestors;
    qsizetype level = depth(longer[at]);
    for (qsizetype i = at - 1; i >= 0 && level > 0; --i) {
        if (depth(longer[i]) < level) {
            ancestors.prepend(longer[i]);
            level = depth(longer[i]);
        }
    }
    const auto node = [at](const QStringList &nodes) {
        return at < nodes.size() ? nodes[at] : QStringLiteral("(no more nodes)");
    };
    return QStringLiteral("first difference at node %1, under:\n%2\nexpected: %3\nactual:   %4\n")
        .arg(at)
        .arg(ancestors.isEmpty() ? QStringLiteral("(top level)") : ancestors.join(u'\n'), node(expected), node(actual));
}

SourceFile phpFile(const QStringList &lines, const QString &name = QStringLiteral("/site/t.php"))
{
    return {name, QStringLiteral("PHP"), lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")};
}

SourceFile namedFile(const QString &name, const QString &type, const QStringList &lines)
{
    return {name, type, lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")};
}

QStringList emptyGroups()
{
    return {QStringLiteral("  Variables (0)"), QStringLiteral("  Functions (0)"), QStringLiteral("  Classes (0)")};
}

} // namespace

class TestExplorerModel : public QObject
{
    Q_OBJECT

private slots:
    void matchesReference_data();
    void matchesReference();
    void knownTrees_data();
    void knownTrees();
    void linesOfOneScanOnly();
};

void TestExplorerModel::matchesReference_data()
{
    QTest::addColumn<QList<SourceFile>>("files");

    QTest::addRow("tags on a code line") << QList<SourceFile>{
        phpFile({"<?php", "$a = 1; ?> text $b <?php $c", "$d ?> $e", "$f", "<? function f() { ?> function g() {",
                 "function h() {"})};
    QTest::addRow("arrows") << QList<SourceFile>{
        phpFile({"<?php", "$this->a->b = $x->y;", "$this->a;", "$a-1; $a->", "$->x; $- $-> $a-->b"})};
    QTest::addRow("arrow at the line's end") << QList<SourceFile>{phpFile({"<?php", "echo $obj->", "$obj->name;"})};
    QTest::addRow("lone dollar") << QList<SourceFile>{phpFile({"<?php", "echo '$' . $x;", "$x = 1;", "$"})};
    QTest::addRow("prefix of a longer name") << QList<SourceFile>{phpFile({"<?php", "$a = $ab;", "$ab++;", "$abc;"})};
    QTest::addRow("letter case") << QList<SourceFile>{
        phpFile({"<?php", "", "$Total = 0;", "", "$total += 1; $TOTAL;", "$toTal2"})};
    QTest::addRow("close mark alone") << QList<SourceFile>{
        phpFile({"<?php $a;", "?>", "Cost: $5", "<?php $b ?>", "Cost: $6", "?> $7", "$8"})};
    QTest::addRow("script tags in both cases") << QList<SourceFile>{
        namedFile("/site/page.html", "HTML",
                  {"<script>", "function lower() {", "</script>", "function between() {", "</SCRIPT>",
                   "<SCRIPT language=\"javascript\">", "function upper() { } </SCRIPT>", "function after() {",
                   "<ScRiPt>function mixed() {}</Script>", "class Thing {", "<p>upper lower after</p>"})};
    QTest::addRow("keyword at the line's end")
        << QList<SourceFile>{phpFile({"<?php", "// returns a function", "/* class", "function", "class", "function "})};
    QTest::addRow("default value") << QList<SourceFile>{
        phpFile({"<?php", "function add($a, $b = 0)", "function keep($a)", "add(1); keep(2);"})};
    QTest::addRow("class extends") << QList<SourceFile>{
        phpFile({"<?php", "class Cart extends Base {", "}", "new Cart();", "// cart EXTENDS base", "class Cart"})};
    QTest::addRow("two spaces") << QList<SourceFile>{phpFile({"<?php", "function  calc ($x)", "calc(1);"})};
    QTest::addRow("keyword inside longer words")
        << QList<SourceFile>{phpFile({"<?php", "MYFUNCTION go()", "if (function_exists('x')) {", "subclass Foo",
                                      "$classname = SUBCLASS;", "// this function returns x"})};
    QTest::addRow("same function twice") << QList<SourceFile>{
        phpFile({"<?php", "function f() {", "}", "function f() {", "}", "f();"})};
    QTest::addRow("keyword nested in a keyword")
        << QList<SourceFile>{phpFile({"<?php", "funcfunctiontion xy(", "clclassass Ab {", "xy(); new Ab;"})};
    QTest::addRow("keyword with no name") << QList<SourceFile>{
        phpFile({"<?php", "function{", "function(", "function   {", "class {", "function\t(", "class  "})};
    QTest::addRow("name found earlier in the line")
        << QList<SourceFile>{phpFile({"<?php", "// CALC: function calc()", "class Box // box"})};
    QTest::addRow("HTML file with a script element")
        << QList<SourceFile>{namedFile("/site/index.html", "HTML",
                                       {"<html><body>", "<script type=\"text/javascript\">",
                                        "function go() { return 1; }", "</script>", "<p>go</p>", "</body></html>"})};
    QTest::addRow("JavaScript without tags") << QList<SourceFile>{
        namedFile("/site/app.js", "JS", {"function go() {", "  var $x = 1;", "}", "class Widget {}"})};
    QTest::addRow("non-ASCII names") << QList<SourceFile>{
        phpFile({"<?php", "$caf\u00e9 = 1;", "$CAF\u00c9 = 2;", "$Caf\u00e9++;", "$\u00c4\u00d6 = $\u00e4\u00f6;",
                 "$\u00df $\u1e9e $\u03a3 $\u03c2", "$\U00010400 $\U00010428", "function gr\u00fc\u00dfe() {",
                 "class \u00dcnicode {", "GR\u00dc\u00dfE(); gr\u00fc\u00dfe();"})};
    QTest::addRow("blanks and control characters") << QList<SourceFile>{
        phpFile({"\t<?php\x0b", "\x01$a = 1;\x1f  ", "\u00a0$b\u00a0", "$c\x7f", "  function  f ( ) {\t"})};
    QTest::addRow("upper-case keywords") << QList<SourceFile>{
        phpFile({"<?PHP", "FUNCTION DoIt() {", "Class MyClass", "doit(); new MYCLASS;"})};

    const QString text = QStringLiteral("<?php\n$a = $b;\nfunction f($x) {\n  return $x;\n}\n?>\nclass K {");
    QTest::addRow("LF line ends") << QList<SourceFile>{{"/site/lf.php", "PHP", text + u'\n'}};
    QTest::addRow("CR LF line ends") << QList<SourceFile>{
        {"/site/crlf.php", "PHP",
         QString(text).replace(QStringLiteral("\n"), QStringLiteral("\r\n")) + QStringLiteral("\r\n")}};
    QTest::addRow("CR line ends") << QList<SourceFile>{
        {"/site/cr.php", "PHP", QString(text).replace(u'\n', u'\r') + u'\r'}};
    QTest::addRow("mixed line ends and empty lines")
        << QList<SourceFile>{{"/site/mixed.php", "PHP", "<?php\r\n\r\n$a\n\n$b\r\r$a$b\n\r\nfunction f() {}\r\n\r\n"}};
    QTest::addRow("no final line end") << QList<SourceFile>{{"/site/last.php", "PHP", text}};
    QTest::addRow("empty text") << QList<SourceFile>{{"/site/empty.php", "PHP", ""}};
    QTest::addRow("only line ends") << QList<SourceFile>{{"/site/blank.php", "PHP", "\r\n\r\n"}};
    QTest::addRow("no files") << QList<SourceFile>{};

    QStringList many{"<?php"};
    for (int i = 0; i < 200; ++i)
        many.append(QStringLiteral("$v%1 = $v%2 + $V%1; function f%1() {}").arg(i).arg(i * 7 % 200));
    QTest::addRow("many names") << QList<SourceFile>{phpFile(many)};

    QString longFile = QStringLiteral("<?php\r\n$first = 1;\r\n");
    for (int i = 0; i < 100'000; ++i)
        longFile += QStringLiteral("x\r\n");
    longFile += QStringLiteral("$first = $last;\r\nfunction end() {}\r\n");
    QTest::addRow("six-digit line numbers") << QList<SourceFile>{{"/site/long.php", "PHP", longFile}};

    QTest::addRow("several files") << QList<SourceFile>{
        phpFile({"<?php", "$a = 1;", "function a() {}"}, "/site/a.php"),
        namedFile("/site/b.html", "HTML", {"<SCRIPT>", "function b() {}", "</SCRIPT>", "<?php $a ?>"}),
        namedFile("/site/c.js", "JS", {"function c() {}"}), namedFile("/site/d.css", "CSS", {"body { color: red; }"}),
        phpFile({"<?php", "class A {}", "$a->b;"}, "/site/a.php")};
}

void TestExplorerModel::matchesReference()
{
    QFETCH(QList<SourceFile>, files);
    const QString difference = firstDifference(renderReference(files), renderModel(files));
    QVERIFY2(difference.isEmpty(), qPrintable(difference));
}

void TestExplorerModel::knownTrees_data()
{
    QTest::addColumn<QList<SourceFile>>("files");
    QTest::addColumn<QStringList>("expected");

    const QString head = QStringLiteral("/site/t.php [PHP]");
    QTest::addRow("two variables on a line")
        << QList<SourceFile>{phpFile({"<?php", "$a = $b;"})}
        << QStringList{head,        "  Variables (2)",         "    \"a\"",       "      [00002]: $a = $b;",
                       "    \"b\"", "      [00002]: $a = $b;", "  Functions (0)", "  Classes (0)"};
    QTest::addRow("first spelling, both lines")
        << QList<SourceFile>{phpFile({"<?php", "", "$Total = 0;", "", "$total += 2;"})}
        << QStringList{head,
                       "  Variables (1)",
                       "    \"Total\"",
                       "      [00003]: $Total = 0;",
                       "      [00005]: $total += 2;",
                       "  Functions (0)",
                       "  Classes (0)"};
    QTest::addRow("prefix consumes the longer name")
        << QList<SourceFile>{phpFile({"<?php", "$a = $ab;"})}
        << QStringList{head,           "  Variables (1)", "    \"a\"", "      [00002]: $a = $ab;", "  Functions (0)",
                       "  Classes (0)"};
    QTest::addRow("lone dollar") << QList<SourceFile>{phpFile({"<?php", "echo '$' . $x;"})}
                                 << (QStringList{head} + emptyGroups());
    QTest::addRow("close mark alone")
        << QList<SourceFile>{phpFile({"<?php", "?>", "Cost: $5"})}
        << QStringList{head,           "  Variables (1)", "    \"5\"", "      [00003]: Cost: $5", "  Functions (0)",
                       "  Classes (0)"};
    QTest::addRow("close mark with a dollar")
        << QList<SourceFile>{phpFile({"<?php", "$a ?>", "Cost: $5"})}
        << QStringList{head,           "  Variables (1)", "    \"a\"", "      [00002]: $a ?>", "  Functions (0)",
                       "  Classes (0)"};
    QTest::addRow("arrows") << QList<SourceFile>{phpFile({"<?php $obj->items;", "$obj->"})}
                            << QStringList{head,
                                           "  Variables (2)",
                                           "    \"obj->items\"",
                                           "      [00001]: <?php $obj->items;",
                                           "    \"obj->\"",
                                           "      [00001]: <?php $obj->items;",
                                           "      [00002]: $obj->",
                                           "  Functions (0)",
                                           "  Classes (0)"};
    // The function group reads the lines with "<?" taken away.
    QTest::addRow("function") << QList<SourceFile>{phpFile({"<?php function f() {", "f();"})}
                              << QStringList{head,
                                             "  Variables (0)",
                                             "  Functions (1)",
                                             "    \"f\"",
                                             "      [00001]: php function f() {",
                                             "      [00002]: f();",
                                             "  Classes (0)"};
    QTest::addRow("two spaces") << QList<SourceFile>{phpFile({"<?php", "function  calc ($x)"})}
                                << QStringList{head,
                                               "  Variables (1)",
                                               "    \"x\"",
                                               "      [00002]: function  calc ($x)",
                                               "  Functions (1)",
                                               "    \"calc\"",
                                               "      [00002]: function  calc ($x)",
                                               "  Classes (0)"};
    QTest::addRow("class extends") << QList<SourceFile>{phpFile(
        {"<?php", "class Shop extends Base", "new Shop;", "// shop EXTENDS base"})}
                                   << QStringList{head,
                                                  "  Variables (0)",
                                                  "  Functions (0)",
                                                  "  Classes (1)",
                                                  "    \"Shop extends Base\"",
                                                  "      [00002]: class Shop extends Base",
                                                  "      [00004]: // shop EXTENDS base"};
    QTest::addRow("default value") << QList<SourceFile>{phpFile({"<?php", "function total($a = 0) {"})}
                                   << QStringList{head,
                                                  "  Variables (1)",
                                                  "    \"a\"",
                                                  "      [00002]: function total($a = 0) {",
                                                  "  Functions (0)",
                                                  "  Classes (0)"};
    QTest::addRow("script element") << QList<SourceFile>{namedFile(
        "/site/p.html", "HTML", {"<SCRIPT>", "function go() {", "}", "</SCRIPT>", "function later() {"})}
                                    << QStringList{"/site/p.html [HTML]",
                                                   "  Variables (0)",
                                                   "  Functions (2)",
                                                   "    \"go\"",
                                                   "      [00002]: function go() {",
                                                   "    \"later\"",
                                                   "      [00005]: function later() {",
                                                   "  Classes (0)"};
    QTest::addRow("script only") << QList<SourceFile>{namedFile("/site/app.js", "JS", {"function go() {", "}"})}
                                 << (QStringList{"/site/app.js [JS]"} + emptyGroups());
    QTest::addRow("declared twice") << QList<SourceFile>{phpFile({"<?php", "function f() {}", "function f() {}"})}
                                    << QStringList{head,
                                                   "  Variables (0)",
                                                   "  Functions (2)",
                                                   "    \"f\"",
                                                   "      [00002]: function f() {}",
                                                   "      [00003]: function f() {}",
                                                   "    \"f\"",
                                                   "      [00002]: function f() {}",
                                                   "      [00003]: function f() {}",
                                                   "  Classes (0)"};
    QTest::addRow("keyword at the end") << QList<SourceFile>{phpFile({"<?php", "// returns a function"})}
                                        << QStringList{head, "  Variables (0)", "  Functions (1)", "    \"\"",
                                                       "  Classes (0)"};
    QTest::addRow("six digits")
        << QList<SourceFile>{{"/site/t.php", "PHP", "<?php\r\n" + QString("\r\n").repeated(99'999) + "$z\r\n"}}
        << QStringList{head, "  Variables (1)", "    \"z\"", "      [100001]: $z", "  Functions (0)", "  Classes (0)"};
    QTest::addRow("no files") << QList<SourceFile>{} << QStringList{};
}

void TestExplorerModel::knownTrees()
{
    QFETCH(QList<SourceFile>, files);
    QFETCH(QStringList, expected);
    const QString referenceDifference = firstDifference(expected, renderReference(files));
    QVERIFY2(referenceDifference.isEmpty(), qPrintable(QStringLiteral("reference: ") + referenceDifference));
    const QString modelDifference = firstDifference(expected, renderModel(files));
    QVERIFY2(modelDifference.isEmpty(), qPrintable(QStringLiteral("model: ") + modelDifference));
}

void TestExplorerModel::linesOfOneScanOnly()
{
    // The class scan closes PHP on its keyword line and the function scan does not see that line:
    // a model sharing one copy of the lines between the groups would show the same text in all.
    const CodeExplorerModel model({{"/site/t.php", "PHP", "<?php $v;\r\nclass C {} ?>\r\n"}});
    QCOMPARE(model.occurrenceCaption(0, ExplorerGroup::Variables, 1), QStringLiteral("[00001]: <?php $v;"));
    QCOMPARE(model.occurrenceCaption(0, ExplorerGroup::Functions, 1), QStringLiteral("[00001]: php $v;"));
    QCOMPARE(model.occurrenceCaption(0, ExplorerGroup::Classes, 1), QStringLiteral("[00001]: php $v;"));
    QCOMPARE(model.occurrenceCaption(0, ExplorerGroup::Variables, 2), QStringLiteral("[00002]: class C {} ?>"));
    QCOMPARE(model.occurrenceCaption(0, ExplorerGroup::Functions, 2), QStringLiteral("[00002]: class C {} ?>"));
    QCOMPARE(model.occurrenceCaption(0, ExplorerGroup::Classes, 2), QStringLiteral("[00002]: class C {}"));
}

QTEST_GUILESS_MAIN(TestExplorerModel)
#include "tst_explorer_model.moc"
