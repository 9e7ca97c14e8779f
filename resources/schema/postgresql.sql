-- Quorin database, PostgreSQL.
-- Names are written plain: PostgreSQL folds them to lower case and the program looks result
-- columns up without regard to case. Text columns are citext so that = and like ignore letter
-- case as librarians expect. No foreign keys: rows may outlive what they point to (the loans of a
-- deleted book), and every join is a left join.

-- citext lives in public so that every schema of the database can share one installation.
create extension if not exists citext schema public;

create table schemaversion (
    Version integer not null
);

create table publishers (
    Id integer primary key,
    Name citext,
    ISBN citext,
    Addr citext
);

create table catalogs (
    Id integer primary key,
    Code citext,
    Mark citext,
    Name citext,
    Note citext,
    SlfId integer,
    PrtId integer
);
create index ix_catalogs_code on catalogs (Code);
-- Children point at their parent's SlfId, so two classes may never share one.
create unique index ix_catalogs_slfid on catalogs (SlfId);
create index ix_catalogs_prtid on catalogs (PrtId);

create table books (
    Id integer primary key,
    Code citext,
    Name citext,
    Ping citext,
    Author citext,
    ISBN citext,
    CataId integer,
    Zhong citext,
    Shou citext,
    Publisher citext,
    Pubdate citext,
    Kai citext,
    Binding citext,
    Language citext,
    Belongs citext,
    Pages citext,
    Appendix citext,
    Location citext,
    Price double precision,
    Getdate timestamp(0),
    Contents citext,
    Notes citext,
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
    Code citext,
    Name citext,
    Ping citext,
    Editor citext,
    ISSN citext,
    CataId integer,
    Publisher citext,
    PubPeriod citext,
    YearNo citext,
    TotalNo citext,
    Lang citext,
    Kai citext,
    Location citext,
    Appendix citext,
    Price double precision,
    Getdate timestamp(0),
    Contents citext,
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
    Name citext,
    BookTop integer,
    BookDays integer,
    BookRelet integer,
    JourTop integer,
    JourDays integer,
    JourRelet integer
);

create table readers (
    Id integer primary key,
    Code citext,
    Name citext,
    Ping citext,
    Sex citext,
    KindId integer,
    Tel citext,
    Dept citext,
    Adddate timestamp(0),
    Address citext,
    IDCode citext,
    Notes citext,
    StateId integer default 1,
    Loaning integer default 0,
    Loanall integer default 0,
    Loanover integer default 0,
    -- The reader insert leaves the deposit out; 0 lets deposit-range searches find new readers.
    Deposit double precision default 0
);
create index ix_readers_code on readers (Code);
create index ix_readers_ping on readers (Ping);
create index ix_readers_kindid on readers (KindId);
create index ix_readers_stateid on readers (StateId);

create table readerstate (
    Id integer primary key,
    Name citext
);

create table readersphoto (
    ReaderId integer primary key,
    Ext citext,
    Photo bytea
);

create table loans (
    Id integer primary key,
    LoanDate timestamp(0),
    ReaderId integer,
    BookId integer,
    JourId integer,
    Loanman citext,
    ShldretDate timestamp(0),
    ReturnDate timestamp(0),
    Returnman citext,
    OverDays integer,
    Overfund double precision,
    RenewDate timestamp(0),
    Renewman citext
);
create index ix_loans_readerid on loans (ReaderId);
create index ix_loans_bookid on loans (BookId);
create index ix_loans_jourid on loans (JourId);
create index ix_loans_loandate on loans (LoanDate);
create index ix_loans_returndate on loans (ReturnDate);
create index ix_loans_shldretdate on loans (ShldretDate);

create table writeoffs (
    Id integer primary key,
    Offdate timestamp(0),
    Offman citext,
    BookId integer,
    JourId integer,
    LoanId integer,
    Reason citext
);
create index ix_writeoffs_loanid on writeoffs (LoanId);
create index ix_writeoffs_bookid on writeoffs (BookId);
create index ix_writeoffs_jourid on writeoffs (JourId);
create index ix_writeoffs_offdate on writeoffs (Offdate);

create table fines (
    Id integer primary key,
    OffId integer,
    LoanId integer,
    Finedate timestamp(0),
    Fineman citext,
    Finefund double precision,
    Finenote citext,
    PaytypeId integer
);
create index ix_fines_loanid on fines (LoanId);
create index ix_fines_offid on fines (OffId);
create index ix_fines_finedate on fines (Finedate);

create table finetypes (
    Id integer primary key,
    Name citext
);

create table charges (
    Id integer primary key,
    Chardate timestamp(0),
    Charfund double precision,
    ReaderId integer,
    Charman citext
);
create index ix_charges_readerid on charges (ReaderId);
create index ix_charges_chardate on charges (Chardate);

-- Passwords are compared exactly, never without regard to case.
create table operator (
    LoginId citext primary key,
    Password text,
    Name citext,
    Contact citext,
    Note citext,
    Rights citext,
    Menus citext
);

create table options (
    Key integer primary key,
    Label citext,
    List citext
);

create table keyvalue (
    KeyId integer primary key,
    Vstr citext,
    Vint integer,
    Vfloat double precision,
    Vbool boolean
);

create table Company (
    Id integer primary key,
    CompanyName citext,
    Manager citext,
    Tel citext,
    Fax citext,
    Address citext,
    Zip citext,
    Profile citext,
    Updated boolean
);

create table report (
    Id integer primary key,
    GrpId integer,
    Title citext,
    Fr3File bytea
);
create index ix_report_grpid on report (GrpId);

-- "By default" so that a restore can bring its rows back with their own numbers.
create table link (
    Id integer generated by default as identity primary key,
    GroupId integer,
    Title citext,
    lpFile citext,
    lpParameters citext,
    Note citext
);

create table syscols (
    F02 integer primary key,
    F06 citext
);

create table backup (
    TypeId integer,
    BackDir citext
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
insert into keyvalue (KeyId, Vstr, Vint, Vfloat, Vbool) values (0, '', 0, 0.5, false);
insert into keyvalue (KeyId, Vstr, Vint, Vfloat, Vbool) values (1, '', 0, 0.8, true);

insert into Company (Id, CompanyName, Manager, Tel, Fax, Address, Zip, Profile, Updated)
    values (1, '', '', '', '', '', '', '', false);

insert into backup (TypeId, BackDir) values (0, '');

-- Pick lists: 0 formats, 1 bindings, 2 languages, 3 storage places, 4 departments, 5 frequencies.
insert into options (Key, Label, List) values (0, ' ', '16开,32开,大32开,64开,A4');
insert into options (Key, Label, List) values (1, ' ', '平装,精装,线装');
insert into options (Key, Label, List) values (2, ' ', '中文,英文,日文,俄文');
insert into options (Key, Label, List) values (3, ' ', '书库,阅览室');
insert into options (Key, Label, List) values (4, ' ', '');
insert into options (Key, Label, List) values (5, ' ', '周刊,半月刊,月刊,双月刊,季刊,年刊');
