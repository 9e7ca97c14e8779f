-- Quorin database, SQLite.
-- Names are written plain; the program looks result columns up without regard to case. Text
-- columns compare with nocase so that = and like ignore letter case as librarians expect.
-- Dates are stored as text "yyyy-MM-dd hh:mm:ss", which sorts and compares in date order.
-- Flags are 0/1, declared boolean so that the driver reports them as flags. No foreign keys: rows
-- may outlive what they point to (the loans of a deleted book), and every join is a left join.

create table schemaversion (
    Version integer not null
);

create table publishers (
    Id integer primary key,
    Name text collate nocase,
    ISBN text collate nocase,
    Addr text collate nocase
);

create table catalogs (
    Id integer primary key,
    Code text collate nocase,
    Mark text collate nocase,
    Name text collate nocase,
    Note text collate nocase,
    SlfId integer,
    PrtId integer
);
create index ix_catalogs_code on catalogs (Code);
-- Children point at their parent's SlfId, so two classes may never share one.
create unique index ix_catalogs_slfid on catalogs (SlfId);
create index ix_catalogs_prtid on catalogs (PrtId);

create table books (
    Id integer primary key,
    Code text collate nocase,
    Name text collate nocase,
    Ping text collate nocase,
    Author text collate nocase,
    ISBN text collate nocase,
    CataId integer,
    Zhong text collate nocase,
    Shou text collate nocase,
    Publisher text collate nocase,
    Pubdate text collate nocase,
    Kai text collate nocase,
    Binding text collate nocase,
    Language text collate nocase,
    Belongs text collate nocase,
    Pages text collate nocase,
    Appendix text collate nocase,
    Location text collate nocase,
    Price real,
    Getdate datetime,
    Contents text collate nocase,
    Notes text collate nocase,
    QtyLib integer default 0,
    QtyLoan integer default 0,
    QtyOff integer default 0,
    TimesLoan integer default 0
);
create index ix_books_code on books (Code);
create index ix_books_isbn on books (ISBN);
create index ix_books_ping on books (Ping);
create index ix_books_cataid on books (CataId);

create table journals (
    Id integer primary key,
    Code text collate nocase,
    Name text collate nocase,
    Ping text collate nocase,
    Editor text collate nocase,
    ISSN text collate nocase,
    CataId integer,
    Publisher text collate nocase,
    PubPeriod text collate nocase,
    YearNo text collate nocase,
    TotalNo text collate nocase,
    Lang text collate nocase,
    Kai text collate nocase,
    Location text collate nocase,
    Appendix text collate nocase,
    Price real,
    Getdate datetime,
    Contents text collate nocase,
    QtyLib integer default 0,
    QtyLoan integer default 0,
    QtyOff integer default 0,
    TimesLoan integer default 0
);
create index ix_journals_code on journals (Code);
create index ix_journals_issn on journals (ISSN);
create index ix_journals_ping on journals (Ping);
create index ix_journals_cataid on journals (CataId);

create table readerskind (
    Id integer primary key,
    Name text collate nocase,
    BookTop integer,
    BookDays integer,
    BookRelet integer,
    JourTop integer,
    JourDays integer,
    JourRelet integer
);

create table readers (
    Id integer primary key,
    Code text collate nocase,
    Name text collate nocase,
    Ping text collate nocase,
    Sex text collate nocase,
    KindId integer,
    Tel text collate nocase,
    Dept text collate nocase,
    Adddate datetime,
    Address text collate nocase,
    IDCode text collate nocase,
    Notes text collate nocase,
    StateId integer default 1,
    Loaning integer default 0,
    Loanall integer default 0,
    Loanover integer default 0,
    -- The reader insert leaves the deposit out; 0 lets deposit-range searches find new readers.
    Deposit real default 0
);
create index ix_readers_code on readers (Code);
create index ix_readers_ping on readers (Ping);
create index ix_readers_kindid on readers (KindId);
create index ix_readers_stateid on readers (StateId);

create table readerstate (
    Id integer primary key,
    Name text collate nocase
);

create table readersphoto (
    ReaderId integer primary key,
    Ext text collate nocase,
    Photo blob
);

create table loans (
    Id integer primary key,
    LoanDate datetime,
    ReaderId integer,
    BookId integer,
    JourId integer,
    Loanman text collate nocase,
    ShldretDate datetime,
    ReturnDate datetime,
    Returnman text collate nocase,
    OverDays integer,
    Overfund real,
    RenewDate datetime,
    Renewman text collate nocase
);
create index ix_loans_readerid on loans (ReaderId);
create index ix_loans_bookid on loans (BookId);
create index ix_loans_jourid on loans (JourId);
create index ix_loans_loandate on loans (LoanDate);
create index ix_loans_returndate on loans (ReturnDate);
create index ix_loans_shldretdate on loans (ShldretDate);

create table writeoffs (
    Id integer primary key,
    Offdate datetime,
    Offman text collate nocase,
    BookId integer,
    JourId integer,
    LoanId integer,
    Reason text collate nocase
);
create index ix_writeoffs_loanid on writeoffs (LoanId);
create index ix_writeoffs_bookid on writeoffs (BookId);
create index ix_writeoffs_jourid on writeoffs (JourId);
create index ix_writeoffs_offdate on writeoffs (Offdate);

create table fines (
    Id integer primary key,
    OffId integer,
    LoanId integer,
    Finedate datetime,
    Fineman text collate nocase,
    Finefund real,
    Finenote text collate nocase,
    PaytypeId integer
);
create index ix_fines_loanid on fines (LoanId);
create index ix_fines_offid on fines (OffId);
create index ix_fines_finedate on fines (Finedate);

create table finetypes (
    Id integer primary key,
    Name text collate nocase
);

create table charges (
    Id integer primary key,
    Chardate datetime,
    Charfund real,
    ReaderId integer,
    Charman text collate nocase
);
create index ix_charges_readerid on charges (ReaderId);
create index ix_charges_chardate on charges (Chardate);

-- Passwords are compared exactly, never without regard to case.
create table operator (
    LoginId text collate nocase primary key,
    Password text,
    Name text collate nocase,
    Contact text collate nocase,
    Note text collate nocase,
    Rights text collate nocase,
    Menus text collate nocase
);

create table options (
    Key integer primary key,
    Label text collate nocase,
    List text collate nocase
);

create table keyvalue (
    KeyId integer primary key,
    Vstr text collate nocase,
    Vint integer,
    Vfloat real,
    Vbool boolean
);

create table Company (
    Id integer primary key,
    CompanyName text collate nocase,
    Manager text collate nocase,
    Tel text collate nocase,
    Fax text collate nocase,
    Address text collate nocase,
    Zip text collate nocase,
    Profile text collate nocase,
    Updated boolean
);

create table report (
    Id integer primary key,
    GrpId integer,
    Title text collate nocase,
    Fr3File blob
);
create index ix_report_grpid on report (GrpId);

-- An integer primary key is the row id: the database numbers new links itself.
create table link (
    Id integer primary key,
    GroupId integer,
    Title text collate nocase,
    lpFile text collate nocase,
    lpParameters text collate nocase,
    Note text collate nocase
);

create table syscols (
    F02 integer primary key,
    F06 text collate nocase
);

create table backup (
    TypeId integer,
    BackDir text collate nocase
);

-- Fixed rows: the same content in both engines' scripts.
insert into schemaversion (Version) values (1);

insert into readerstate (Id, Name) values (1, '正常');
insert into readerstate (Id, Name) values (2, '挂失');
insert into readerstate (Id, Name) values (3, '停用');

insert into finetypes (Id, Name) values (1, '以后再罚');
insert into finetypes (Id, Name) values (2, '从押金中支付');
insert into finetypes (Id, Name) values (3, '现金支付');

-- sa holds every right by his name, so his rights text stays empty.
insert into operator (LoginId, Password, Name, Contact, Note, Rights, Menus)
    values ('sa', '', '系统管理员', '', '', '', '');

-- Key 0: the feedback prompt and the book fine per day; key 1: the daily tips and the journal fine per day.
insert into keyvalue (KeyId, Vstr, Vint, Vfloat, Vbool) values (0, '', 0, 0.5, 0);
insert into keyvalue (KeyId, Vstr, Vint, Vfloat, Vbool) values (1, '', 0, 0.8, 1);

insert into Company (Id, CompanyName, Manager, Tel, Fax, Address, Zip, Profile, Updated)
    values (1, '', '', '', '', '', '', '', 0);

insert into backup (TypeId, BackDir) values (0, '');

-- Pick lists: 0 formats, 1 bindings, 2 languages, 3 storage places, 4 departments, 5 frequencies.
insert into options (Key, Label, List) values (0, ' ', '16开,32开,大32开,64开,A4');
insert into options (Key, Label, List) values (1, ' ', '平装,精装,线装');
insert into options (Key, Label, List) values (2, ' ', '中文,英文,日文,俄文');
insert into options (Key, Label, List) values (3, ' ', '书库,阅览室');
insert into options (Key, Label, List) values (4, ' ', '');
insert into options (Key, Label, List) values (5, ' ', '周刊,半月刊,月刊,双月刊,季刊,年刊');
