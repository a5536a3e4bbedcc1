// The project's own texts in simplified Chinese (UTF-8), keyed by their
// English wording exactly as the code writes it. %1 ... stay; "&" keeps
// its count as "(&X)"; file filter patterns stay as they are.

#include <string_view>
#include <unordered_map>

#include "engine/core/project_texts.h"

namespace vl {
namespace {

struct Entry {
  const char* english;
  const char* chinese;
};

constexpr Entry kEntries[] = {
    // The launcher and its context menu.
    {"Recipient…", "收件人…"},
    {"Address list…", "地址列表…"},
    {"Clear address list", "清除地址列表"},
    {"Data sources", "数据源"},
    {"Address list", "地址列表"},
    {"Address lists (*.csv *.txt *.vcf *.vcard *.db *.sqlite *.sqlite3);;All files (*)",
     "地址列表 (*.csv *.txt *.vcf *.vcard *.db *.sqlite *.sqlite3);;所有文件 (*)"},
    {"Table of %1:", "%1 中的表："},
    {"Address list: %1", "地址列表：%1"},
    {"1 address: each template prints one envelope per address.", "1 个地址：每个模板为每个地址打印一个信封。"},
    {"%1 addresses: each template prints one envelope per address.", "%1 个地址：每个模板为每个地址打印一个信封。"},
    {"Reading the address list %1…", "正在读取地址列表 %1…"},
    {"Language (from the next start)", "语言（下次启动时生效）"},
    {"Language (from the next start):", "语言（下次启动时生效）："},
    {"Automatic", "自动"},
    {"usage: vellora [--addresses FILE]\n"
     "  --addresses FILE  put an address list in force (CSV, vCard, or SQLite FILE#TABLE)\n"
     "  --help            show this text\n"
     "  --version         show the version\n",
     "用法：vellora [--addresses FILE]\n"
     "  --addresses FILE  使用一个地址列表（CSV、vCard 或 SQLite FILE#TABLE）\n"
     "  --help            显示本说明\n"
     "  --version         显示版本\n"},
    {"cannot enter %1: %2", "无法进入 %1：%2"},
    // The recipient form.
    {"Recipient", "收件人"},
    {"&Name:", "姓名(&N)："},
    {"&Address:", "地址(&A)："},
    {"&Postcode:", "邮编(&P)："},
    {"Sender (remembered)", "寄件人（会被记住）"},
    {"A&ddress:", "地址(&D)："},
    {"P&ostcode:", "邮编(&O)："},
    {"As&k for the recipient", "询问收件人(&K)"},
    {"When no address list is in force, a template button shows this form first.",
     "未使用地址列表时，点击模板按钮会先显示此表单。"},
    {"C&lear recipient", "清除收件人(&L)"},
    // The address list fields dialog.
    {"Address list fields", "地址列表字段"},
    {"Recipient name:", "收件人姓名："},
    {"Recipient address:", "收件人地址："},
    {"Recipient postcode:", "收件人邮编："},
    {"Sender address:", "寄件人地址："},
    {"Sender postcode:", "寄件人邮编："},
    {"Choose the column of %1 that gives each envelope field; \"+\" joins a further column, in order, for an "
     "address split over several.\nThe choice is kept for lists with the same columns.",
     "请为每个信封字段选择 %1 中的列；地址分布在多列时，用“+”按顺序再连接一列。\n列相同的列表会沿用这次的选择。"},
    {"Join a further column", "再连接一列"},
    {"The first envelope's recipient:", "第一个信封的收件人："},
    {"(none)", "（无）"},
    {"e.g. ", "例如 "},
    {"(blank)", "（空白）"},
    {"No column of the list gives the recipient's name or address: map them with ",
     "列表中没有给出收件人姓名或地址的列：请用"},
    {"the lists above.", "上面的列表指定。"},
    {"the address list fields dialog.", "“地址列表字段”对话框指定。"},
    // The batch check.
    {"Check before printing", "打印前检查"},
    {"%1 of %2 envelopes would not print right:", "%2 个信封中有 %1 个无法正确打印："},
    {"%1 of %2 envelopes", "%2 个信封中的 %1 个"},
    {"Row", "行"},
    {"Name", "姓名"},
    {"Problem", "问题"},
    {"Print all", "全部打印"},
    {"Print only the good ones", "只打印没有问题的"},
    {"Cancel", "取消"},
    {"Envelopes with problems", "有问题的信封"},
    {"No recipient name and no address", "没有收件人姓名，也没有地址"},
    {"The postcode %1 has more characters than its %2 boxes", "邮编 %1 的字符数超过了 %2 个邮编框"},
    {"The postcode %1 has other characters than digits for its digit boxes", "邮编 %1 含有数字以外的字符，无法填入数字框"},
    {"The name does not fit its box", "姓名超出了它的文本框"},
    {"The address does not fit its box", "地址超出了它的文本框"},
    {"Page %1: %2", "第 %1 页：%2"},
    {"Row %1: %2", "第 %1 行：%2"},
    {"Row %1 (%2): %3", "第 %1 行（%2）：%3"},
    // Data sources a report brings.
    {"%1: %2 is missing", "%1：缺少 %2"},
    {"These data sources of the report cannot be read; the report opens without them:",
     "无法读取报表的以下数据源；报表将在没有它们的情况下打开："},
    // The designer.
    {"Data source", "数据源"},
    {"Data source file", "数据源文件"},
    {"Data files (*.csv *.txt *.vcf *.vcard *.sqlite *.db *.sqlite3);;All files (*)",
     "数据文件 (*.csv *.txt *.vcf *.vcard *.sqlite *.db *.sqlite3);;所有文件 (*)"},
    {"Browse…", "浏览…"},
    {"&File:", "文件(&F)："},
    {"&Table or SELECT:", "表或 SELECT(&T)："},
    {"&Add…", "添加(&A)…"},
    {"&Edit…", "编辑(&E)…"},
    {"&Remove", "删除(&R)"},
    {"First rows:", "前几行："},
    {"SQLite only: a table, or SELECT ...", "仅限 SQLite：表名或 SELECT ..."},
    {"No data source: Add… names a CSV, vCard or SQLite file.", "没有数据源：用“添加…”指定一个 CSV、vCard 或 SQLite 文件。"},
    {"%1 columns: %2", "%1 列：%2"},
    {"Name: give the source a name without dots, brackets or double quotes.", "名称：请给数据源起一个不含句点、括号或双引号的名称。"},
    {"Name: \"%1\" is already taken.", "名称：“%1”已被使用。"},
    {"File: choose the file the source reads.", "文件：请选择数据源读取的文件。"},
    {"Data &sources…", "数据源(&S)…"},
    {"The report's own data: CSV, vCard or SQLite files", "报表自带的数据：CSV、vCard 或 SQLite 文件"},
    {"Data sources…", "数据源…"},
    {"'%1' is not a valid integer value", "“%1”不是有效的整数"},
    {"Bitmap image is not valid", "位图无效"},
    {"Cannot open file %1", "无法打开文件 %1"},
    // The settings store.
    {"The settings file %1 is damaged and could not be set aside; settings may be lost when they are saved.",
     "设置文件 %1 已损坏且无法移开；保存设置时可能会丢失设置。"},
    {"The settings file %1 was damaged. It was kept as %2 and the settings start from their defaults.",
     "设置文件 %1 已损坏。它已保存为 %2，设置将从默认值开始。"},
    // The command-line tool.
    {"usage:", "用法："},
    {"unknown subcommand '%1'", "未知的子命令“%1”"},
    {"cannot open '%1'", "无法打开“%1”"},
    {"the template is password protected: give --password", "模板受密码保护：请给出 --password"},
    {"wrong password", "密码错误"},
    {"'%1' is not a readable dictionary file", "“%1”不是可读取的字典文件"},
    {"data source %1", "数据源 %1"},
    {"1 envelope has a problem (--strict): nothing is written or printed", "1 个信封有问题（--strict）：未写出也未打印任何内容"},
    {"%1 envelopes have a problem (--strict): nothing is written or printed",
     "%1 个信封有问题（--strict）：未写出也未打印任何内容"},
    {"1 label has a problem (--strict): nothing is written or printed", "1 张标签有问题（--strict）：未写出也未打印任何内容"},
    {"%1 labels have a problem (--strict): nothing is written or printed",
     "%1 张标签有问题（--strict）：未写出也未打印任何内容"},
    {"--layout return prints the sender on every label: it takes no address list",
     "--layout return 在每张标签上打印寄件人：它不使用地址列表"},
    {"--layout return needs the sender: --var SenderAddress=TEXT [--var SenderPostcode=CODE]",
     "--layout return 需要寄件人：--var SenderAddress=TEXT [--var SenderPostcode=CODE]"},
    {"labels need an address list (--dataset Addresses=LIST) or --var RecipientName=TEXT ...",
     "标签需要地址列表（--dataset Addresses=LIST）或 --var RecipientName=TEXT ..."},
    {"Address labels…", "地址标签…"},
    {"1 page has a problem (--strict): nothing is written or printed", "1 页有问题（--strict）：未写出也未打印任何内容"},
    {"%1 pages have a problem (--strict): nothing is written or printed", "%1 页有问题（--strict）：未写出也未打印任何内容"},
    {"--pages '%1' selects none of the report's 1 page", "--pages “%1”没有选中报表唯一的 1 页"},
    {"--pages '%1' selects none of the report's %2 pages", "--pages “%1”没有选中报表 %2 页中的任何一页"},
    {"needs one FILE.vlf or FILE.vlp", "需要一个 FILE.vlf 或 FILE.vlp"},
    {"needs either --pdf OUT.pdf or --png OUTPREFIX", "需要 --pdf OUT.pdf 或 --png OUTPREFIX 之一"},
    {"the output file name is empty", "输出文件名为空"},
    {"--dpi applies to --png", "--dpi 只适用于 --png"},
    {"--dataset, --var, --password, --two-pass and --strict prepare a template; %1 is prepared already",
     "--dataset、--var、--password、--two-pass 和 --strict 用于准备模板；%1 已经准备好了"},
    {"Preparing page %1", "正在准备第 %1 页"},
    {"the report has no pages: nothing is written", "报表没有页：未写出任何内容"},
    {"Drawing page %1 of %2", "正在绘制第 %1 页，共 %2 页"},
    {"The address list has no addresses", "地址列表中没有地址"},
    {"%1 needs a value", "%1 需要一个值"},
    {"unknown option %1", "未知的选项 %1"},
    {"--dataset needs NAME=SOURCE, not '%1'", "--dataset 需要 NAME=SOURCE，而不是“%1”"},
    {"--dataset %1 is given twice", "--dataset %1 给出了两次"},
    {"--map needs an address list: --dataset Addresses=SOURCE", "--map 需要地址列表：--dataset Addresses=SOURCE"},
    {"--map %1: not an envelope field", "--map %1：不是信封字段"},
    {"--map %1: the address list has no column %2", "--map %1：地址列表中没有列 %2"},
    {"no column of the address list gives %1 (--map %1=COLUMN)", "地址列表中没有给出 %1 的列（--map %1=COLUMN）"},
    {"%1 needs NAME=VALUE, not '%2'", "%1 需要 NAME=VALUE，而不是“%2”"},
    {"bad resolution '%1' (10 to 2400 dots per inch)", "分辨率“%1”有误（每英寸 10 至 2400 点）"},
    {"needs an input and an output file", "需要一个输入文件和一个输出文件"},
    {"needs one data file", "需要一个数据文件"},
    {"bad --limit '%1'", "--limit“%1”有误"},
    {"--table and --query are for SQLite files", "--table 和 --query 只用于 SQLite 文件"},
    {"give --table or --query, not both", "请给出 --table 或 --query，不要同时给出"},
    {"needs one expression", "需要一个表达式"},
    {"The engine's globals are not created", "引擎的全局对象尚未创建"},
    {"needs one value", "需要一个值"},
    {"needs --format CODE", "需要 --format CODE"},
    {"'%1' is neither a code nor a format suffix", "“%1”既不是代码也不是格式后缀"},
    {"needs one file", "需要一个文件"},
    {"needs --object NAME", "需要 --object NAME"},
    {"needs one template file", "需要一个模板文件"},
    {"no object named '%1' in %2", "%2 中没有名为“%1”的对象"},
    {"'%1' is not a text object", "“%1”不是文本对象"},
    {"bad %1 '%2'", "%1“%2”有误"},
    {"paper code", "纸张代码"},
    {"width", "宽度"},
    {"height", "高度"},
    {"step count", "步数"},
    {"number of seconds", "秒数"},
    {"needs one paper code", "需要一个纸张代码"},
    {"no printer named '%1'", "没有名为“%1”的打印机"},
    {"printer '%1' cannot be read", "无法读取打印机“%1”"},
    {"paper code %1 is not offered by '%2'", "“%2”不提供纸张代码 %1"},
    {"the custom size 256 needs --size WIDTH,HEIGHT", "自定义尺寸 256 需要 --size WIDTH,HEIGHT"},
    {"the size must be positive", "尺寸必须为正数"},
    {"the printer refused paper code %1", "打印机拒绝了纸张代码 %1"},
    {"takes no arguments", "不接受参数"},
    {"the report has no pages: nothing to print", "报表没有页：没有可打印的内容"},
    {"needs --printer NAME", "需要 --printer NAME"},
    {"--odd and --even exclude each other", "--odd 和 --even 不能同时使用"},
    {"bad --copies '%1' (1 to 9999)", "--copies“%1”有误（1 至 9999）"},
    {"prints FILE.vlf or FILE.vlp", "只打印 FILE.vlf 或 FILE.vlp"},
    {"the virtual printer does not print; name a printer", "虚拟打印机不能打印；请指定一台打印机"},
    {"--dataset, --var and --two-pass prepare a template; a prepared-report file is printed as it is",
     "--dataset、--var 和 --two-pass 用于准备模板；已准备好的报表文件按原样打印"},
    {"no page is selected", "没有选中任何页"},
    {"no printer to print on", "没有可用于打印的打印机"},
    {"bad page number '%1'", "页码“%1”有误"},
    {"needs --png OUT.png", "需要 --png OUT.png"},
    {"no page %1: the template has 1 page", "没有第 %1 页：模板只有 1 页"},
    {"no page %1: the template has %2 pages", "没有第 %1 页：模板共有 %2 页"},
    {"page %1 has no size", "第 %1 页没有尺寸"},
    {"resolution '%1' makes too large a picture of this page", "分辨率“%1”会使此页的图片过大"},
    {"cannot write '%1'", "无法写入“%1”"},
    {"needs one script file", "需要一个脚本文件"},
    {"cannot read '%1'", "无法读取“%1”"},
    {"bad number of seconds '%1'", "秒数“%1”有误"},
    {"--var needs NAME=VALUE, not '%1'", "--var 需要 NAME=VALUE，而不是“%1”"},
};

}  // namespace

const char* vlChineseText(std::string_view english) {
  static const std::unordered_map<std::string_view, const char*> catalogue = [] {
    std::unordered_map<std::string_view, const char*> map;
    for (const Entry& e : kEntries) map.emplace(e.english, e.chinese);
    return map;
  }();
  const auto it = catalogue.find(english);
  return it == catalogue.end() ? nullptr : it->second;
}

}  // namespace vl
