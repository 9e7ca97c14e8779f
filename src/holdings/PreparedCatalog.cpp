#include "holdings/PreparedCatalog.h"

#include "data/Database.h"
#include "data/Transaction.h"

using namespace Qt::StringLiterals;

namespace {

struct TClass
{
    const char16_t* Mark;
    const char16_t* Name;
};

struct TMainClass
{
    TClass Main;
    QList<TClass> Subclasses;
};

// Written from the classification's published outline (basic parts and their common divisions).
const QList<TMainClass>& outline()
{
    static const QList<TMainClass> classes = {
        {{u"A", u"马克思主义、列宁主义、毛泽东思想、邓小平理论"},
         {{u"A1", u"马克思、恩格斯著作"},
          {u"A2", u"列宁著作"},
          {u"A3", u"斯大林著作"},
          {u"A4", u"毛泽东著作"},
          {u"A49", u"邓小平著作"},
          {u"A5", u"马克思、恩格斯、列宁、斯大林、毛泽东、邓小平著作汇编"},
          {u"A7", u"马克思、恩格斯、列宁、斯大林、毛泽东、邓小平生平和传记"},
          {u"A8", u"马克思主义、列宁主义、毛泽东思想、邓小平理论的学习和研究"}}},
        {{u"B", u"哲学、宗教"},
         {{u"B0", u"哲学理论"},
          {u"B1", u"世界哲学"},
          {u"B2", u"中国哲学"},
          {u"B3", u"亚洲哲学"},
          {u"B4", u"非洲哲学"},
          {u"B5", u"欧洲哲学"},
          {u"B6", u"大洋洲哲学"},
          {u"B7", u"美洲哲学"},
          {u"B80", u"思维科学"},
          {u"B81", u"逻辑学(论理学)"},
          {u"B82", u"伦理学(道德哲学)"},
          {u"B83", u"美学"},
          {u"B84", u"心理学"},
          {u"B9", u"宗教"}}},
        {{u"C", u"社会科学总论"},
         {{u"C0", u"社会科学理论与方法论"},
          {u"C1", u"社会科学现状及发展"},
          {u"C2", u"社会科学机构、团体、会议"},
          {u"C3", u"社会科学研究方法"},
          {u"C4", u"社会科学教育与普及"},
          {u"C5", u"社会科学丛书、文集、连续性出版物"},
          {u"C6", u"社会科学参考工具书"},
          {u"C8", u"统计学"},
          {u"C91", u"社会学"},
          {u"C92", u"人口学"},
          {u"C93", u"管理学"},
          {u"C95", u"民族学、文化人类学"},
          {u"C96", u"人才学"},
          {u"C97", u"劳动科学"}}},
        {{u"D", u"政治、法律"},
         {{u"D0", u"政治学、政治理论"},
          {u"D1", u"国际共产主义运动"},
          {u"D2", u"中国共产党"},
          {u"D33/37", u"各国共产党"},
          {u"D4", u"工人、农民、青年、妇女运动与组织"},
          {u"D5", u"世界政治"},
          {u"D6", u"中国政治"},
          {u"D73/77", u"各国政治"},
          {u"D8", u"外交、国际关系"},
          {u"D9", u"法律"}}},
        {{u"E", u"军事"},
         {{u"E0", u"军事理论"},
          {u"E1", u"世界军事"},
          {u"E2", u"中国军事"},
          {u"E3/7", u"各国军事"},
          {u"E8", u"战略学、战役学、战术学"},
          {u"E9", u"军事技术"},
          {u"E99", u"军事地形学、军事地理学"}}},
        {{u"F", u"经济"},
         {{u"F0", u"经济学"},
          {u"F1", u"世界各国经济概况、经济史、经济地理"},
          {u"F2", u"经济计划与管理"},
          {u"F3", u"农业经济"},
          {u"F4", u"工业经济"},
          {u"F49", u"信息产业经济"},
          {u"F5", u"交通运输经济"},
          {u"F59", u"旅游经济"},
          {u"F6", u"邮电通信经济"},
          {u"F7", u"贸易经济"},
          {u"F8", u"财政、金融"}}},
        {{u"G", u"文化、科学、教育、体育"},
         {{u"G0", u"文化理论"},
          {u"G1", u"世界各国文化与文化事业"},
          {u"G2", u"信息与知识传播"},
          {u"G3", u"科学、科学研究"},
          {u"G4", u"教育"},
          {u"G8", u"体育"}}},
        {{u"H", u"语言、文字"},
         {{u"H0", u"语言学"},
          {u"H1", u"汉语"},
          {u"H2", u"中国少数民族语言"},
          {u"H3", u"常用外国语"},
          {u"H4", u"汉藏语系"},
          {u"H5", u"阿尔泰语系"},
          {u"H61", u"南亚语系"},
          {u"H62", u"南印语系"},
          {u"H63", u"南岛语系"},
          {u"H64", u"东北亚诸语言"},
          {u"H65", u"高加索语系"},
          {u"H66", u"乌拉尔语系"},
          {u"H67", u"闪-含语系"},
          {u"H7", u"印欧语系"},
          {u"H81", u"非洲诸语言"},
          {u"H83", u"美洲诸语言"},
          {u"H84", u"大洋洲诸语言"},
          {u"H9", u"国际辅助语"}}},
        {{u"I", u"文学"}, {{u"I0", u"文学理论"}, {u"I1", u"世界文学"}, {u"I2", u"中国文学"}, {u"I3/7", u"各国文学"}}},
        {{u"J", u"艺术"},
         {{u"J0", u"艺术理论"},
          {u"J1", u"世界各国艺术概况"},
          {u"J2", u"绘画"},
          {u"J29", u"书法、篆刻"},
          {u"J3", u"雕塑"},
          {u"J4", u"摄影艺术"},
          {u"J5", u"工艺美术"},
          {u"J6", u"音乐"},
          {u"J7", u"舞蹈"},
          {u"J8", u"戏剧、曲艺、杂技艺术"},
          {u"J9", u"电影、电视艺术"}}},
        {{u"K", u"历史、地理"},
         {{u"K0", u"史学理论"},
          {u"K1", u"世界史"},
          {u"K2", u"中国史"},
          {u"K3", u"亚洲史"},
          {u"K4", u"非洲史"},
          {u"K5", u"欧洲史"},
          {u"K6", u"大洋洲史"},
          {u"K7", u"美洲史"},
          {u"K81", u"传记"},
          {u"K85", u"文物考古"},
          {u"K89", u"风俗习惯"},
          {u"K9", u"地理"}}},
        {{u"N", u"自然科学总论"},
         {{u"N0", u"自然科学理论与方法论"},
          {u"N1", u"自然科学现状及发展"},
          {u"N2", u"自然科学机构、团体、会议"},
          {u"N3", u"自然科学研究方法"},
          {u"N4", u"自然科学教育与普及"},
          {u"N5", u"自然科学丛书、文集、连续性出版物"},
          {u"N6", u"自然科学参考工具书"},
          {u"N7", u"自然科学文献检索工具"},
          {u"N8", u"自然科学调查、考察"},
          {u"N91", u"自然研究、自然历史"},
          {u"N93", u"非线性科学"},
          {u"N94", u"系统科学"}}},
        {{u"O", u"数理科学和化学"},
         {{u"O1", u"数学"}, {u"O3", u"力学"}, {u"O4", u"物理学"}, {u"O6", u"化学"}, {u"O7", u"晶体学"}}},
        {{u"P", u"天文学、地球科学"},
         {{u"P1", u"天文学"},
          {u"P2", u"测绘学"},
          {u"P3", u"地球物理学"},
          {u"P4", u"大气科学(气象学)"},
          {u"P5", u"地质学"},
          {u"P7", u"海洋学"},
          {u"P9", u"自然地理学"}}},
        {{u"Q", u"生物科学"},
         {{u"Q1", u"普通生物学"},
          {u"Q2", u"细胞生物学"},
          {u"Q3", u"遗传学"},
          {u"Q4", u"生理学"},
          {u"Q5", u"生物化学"},
          {u"Q6", u"生物物理学"},
          {u"Q7", u"分子生物学"},
          {u"Q81", u"生物工程学(生物技术)"},
          {u"Q89", u"环境生物学"},
          {u"Q91", u"古生物学"},
          {u"Q93", u"微生物学"},
          {u"Q94", u"植物学"},
          {u"Q95", u"动物学"},
          {u"Q96", u"昆虫学"},
          {u"Q98", u"人类学"}}},
        {{u"R", u"医药、卫生"},
         {{u"R1", u"预防医学、卫生学"},
          {u"R2", u"中国医学"},
          {u"R3", u"基础医学"},
          {u"R4", u"临床医学"},
          {u"R5", u"内科学"},
          {u"R6", u"外科学"},
          {u"R71", u"妇产科学"},
          {u"R72", u"儿科学"},
          {u"R73", u"肿瘤学"},
          {u"R74", u"神经病学与精神病学"},
          {u"R75", u"皮肤病学与性病学"},
          {u"R76", u"耳鼻咽喉科学"},
          {u"R77", u"眼科学"},
          {u"R78", u"口腔科学"},
          {u"R79", u"外国民族医学"},
          {u"R8", u"特种医学"},
          {u"R9", u"药学"}}},
        {{u"S", u"农业科学"},
         {{u"S1", u"农业基础科学"},
          {u"S2", u"农业工程"},
          {u"S3", u"农学(农艺学)"},
          {u"S4", u"植物保护"},
          {u"S5", u"农作物"},
          {u"S6", u"园艺"},
          {u"S7", u"林业"},
          {u"S8", u"畜牧、动物医学、狩猎、蚕、蜂"},
          {u"S9", u"水产、渔业"}}},
        {{u"T", u"工业技术"},
         {{u"TB", u"一般工业技术"},
          {u"TD", u"矿业工程"},
          {u"TE", u"石油、天然气工业"},
          {u"TF", u"冶金工业"},
          {u"TG", u"金属学与金属工艺"},
          {u"TH", u"机械、仪表工业"},
          {u"TJ", u"武器工业"},
          {u"TK", u"能源与动力工程"},
          {u"TL", u"原子能技术"},
          {u"TM", u"电工技术"},
          {u"TN", u"无线电电子学、电信技术"},
          {u"TP", u"自动化技术、计算机技术"},
          {u"TQ", u"化学工业"},
          {u"TS", u"轻工业、手工业"},
          {u"TU", u"建筑科学"},
          {u"TV", u"水利工程"}}},
        {{u"U", u"交通运输"},
         {{u"U1", u"综合运输"},
          {u"U2", u"铁路运输"},
          {u"U4", u"公路运输"},
          {u"U6", u"水路运输"},
          {u"U8", u"航空运输"}}},
        {{u"V", u"航空、航天"},
         {{u"V1", u"航空、航天技术的研究与探索"},
          {u"V2", u"航空"},
          {u"V4", u"航天(宇宙航行)"},
          {u"V7", u"航空、航天医学"}}},
        {{u"X", u"环境科学、安全科学"},
         {{u"X1", u"环境科学基础理论"},
          {u"X2", u"社会与环境"},
          {u"X3", u"环境保护管理"},
          {u"X4", u"灾害及其防治"},
          {u"X5", u"环境污染及其防治"},
          {u"X7", u"行业污染、废物处理与综合利用"},
          {u"X8", u"环境质量评价与环境监测"},
          {u"X9", u"安全科学"}}},
        {{u"Z", u"综合性图书"},
         {{u"Z1", u"丛书"},
          {u"Z2", u"百科全书、类书"},
          {u"Z3", u"辞典"},
          {u"Z4", u"论文集、全集、选集、杂著"},
          {u"Z5", u"年鉴、年刊"},
          {u"Z6", u"期刊、连续性出版物"},
          {u"Z8", u"图书目录、文摘、索引"}}},
    };
    return classes;
}

RCatalog makeRow(int number, const TClass& source, const QString& parentCode, int parent)
{
    RCatalog row;
    row.Id = number;
    row.SlfId = number;
    row.PrtId = parent;
    row.Code = u"%1%2."_s.arg(parentCode).arg(number);
    row.Mark = QString::fromUtf16(source.Mark);
    row.Name = QString::fromUtf16(source.Name);
    row.Path = row.Name;
    return row;
}

} // namespace

QList<RCatalog> TPreparedCatalog::Rows()
{
    QList<RCatalog> rows;
    int number = 0;
    for (const TMainClass& main : outline()) {
        const RCatalog top = makeRow(++number, main.Main, QString(), 0);
        rows.append(top);
        for (const TClass& sub : main.Subclasses)
            rows.append(makeRow(++number, sub, top.Code, top.SlfId));
    }
    return rows;
}

bool TPreparedCatalog::Load()
{
    return Load(Database());
}

bool TPreparedCatalog::Load(TDatabase& db)
{
    TTransaction transaction(db);
    // Taken before the emptiness test, so a class added meanwhile at another workstation waits
    // and cannot end up beside (or in the way of) the prepared numbers.
    db.LockTable(u"catalogs"_s);
    QSqlQuery present = db.Select(u"select count(*) from catalogs"_s);
    if (present.next() && present.value(0).toInt() > 0)
        return false;
    const QString sql =
        u"insert into catalogs(Code, Mark, Name, Note, SlfId, PrtId, Id)values(:Code, :Mark, :Name, :Note, :SlfId, :PrtId, :Id)"_s;
    for (const RCatalog& row : Rows()) {
        if (db.ExecSQL(sql,
                       {MakeParam(u"Code"_s, row.Code), MakeParam(u"Mark"_s, row.Mark), MakeParam(u"Name"_s, row.Name),
                        MakeParam(u"Note"_s, row.Note), MakeParam(u"SlfId"_s, row.SlfId),
                        MakeParam(u"PrtId"_s, row.PrtId), MakeParam(u"Id"_s, row.Id)}) != 1)
            return false;
    }
    transaction.Commit();
    return true;
}

QString TPreparedCatalog::NotEmptyText()
{
    return u"分类目录中已有分类, 中图分类简表只能装入空的分类目录."_s;
}
