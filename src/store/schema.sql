-- The Vormel shop database. Dates are 'YYYY-MM-DD' text, timestamps 'YYYY-MM-DD HH:MM:SS',
-- amounts integer ten-thousandths, Y/N flags the texts 'Y' and 'N'. '2222-01-01' means no date.
-- Relations between tables are by equal text values and deliberately not enforced.

CREATE TABLE Customers (
    RAWID         INTEGER PRIMARY KEY AUTOINCREMENT,
    InDate        TEXT,
    ModDate       TEXT,
    CustomerID    TEXT NOT NULL UNIQUE,
    Active        TEXT,
    JoinDate      TEXT,
    HKID          TEXT,
    HKResident    TEXT,
    ChineseName   TEXT,
    EnglishName   TEXT,
    Sex           TEXT,
    BirthDate     TEXT,
    Address       TEXT,
    Phone1        TEXT,
    Phone2        TEXT,
    Phone3        TEXT,
    Remarks1      TEXT,
    Remarks2      TEXT,
    TransRemarks  TEXT,
    Class         TEXT,
    RentTimes     INTEGER,
    GoodTimes     INTEGER,
    LateTimes     INTEGER,
    BadTimes      INTEGER,
    BuyCount      INTEGER,
    LastRentDate  TEXT
) STRICT;
-- A search for part of a name reads every entry of its index; with Active beside the name it
-- reads a member's row only for the hits.
CREATE INDEX Customers_HKID ON Customers (HKID, Active);
CREATE INDEX Customers_ChineseName ON Customers (ChineseName, Active);
CREATE INDEX Customers_EnglishName ON Customers (EnglishName, Active);
CREATE INDEX Customers_JoinDate ON Customers (JoinDate);
-- A part of a name of three characters or more is looked up by its trigrams here rather than
-- by reading every name. The triggers keep it in step with Customers; a file without it still
-- works, its searches read the names.
CREATE VIRTUAL TABLE Customers_Names USING fts5(EnglishName, ChineseName, content = 'Customers',
    content_rowid = 'RAWID', tokenize = 'trigram');
CREATE TRIGGER Customers_Names_Insert AFTER INSERT ON Customers BEGIN
    INSERT INTO Customers_Names (rowid, EnglishName, ChineseName)
        VALUES (new.RAWID, new.EnglishName, new.ChineseName);
END;
CREATE TRIGGER Customers_Names_Delete AFTER DELETE ON Customers BEGIN
    INSERT INTO Customers_Names (Customers_Names, rowid, EnglishName, ChineseName)
        VALUES ('delete', old.RAWID, old.EnglishName, old.ChineseName);
END;
CREATE TRIGGER Customers_Names_Update AFTER UPDATE OF EnglishName, ChineseName ON Customers BEGIN
    INSERT INTO Customers_Names (Customers_Names, rowid, EnglishName, ChineseName)
        VALUES ('delete', old.RAWID, old.EnglishName, old.ChineseName);
    INSERT INTO Customers_Names (rowid, EnglishName, ChineseName)
        VALUES (new.RAWID, new.EnglishName, new.ChineseName);
END;

CREATE TABLE Orders (
    InDate        TEXT,
    ModDate       TEXT,
    OrderID       TEXT NOT NULL PRIMARY KEY,
    CustomerID    TEXT,
    EmployeeID    TEXT,
    Remarks       TEXT,
    TransRemarks  TEXT
) STRICT;
-- With the order number, a member's orders are found without reading their rows.
CREATE INDEX Orders_CustomerID ON Orders (CustomerID, OrderID);

CREATE TABLE Order_Details (
    InDate      TEXT,
    ModDate     TEXT,
    OrderIdx    TEXT NOT NULL PRIMARY KEY,
    OrderID     TEXT,
    ItemID      TEXT,
    RentStatus  TEXT,
    InitDate    TEXT,
    StartDate   TEXT,
    EndDate     TEXT,
    ReturnDate  TEXT
) STRICT;
CREATE INDEX Order_Details_Order ON Order_Details (OrderID, RentStatus);
CREATE INDEX Order_Details_Item ON Order_Details (ItemID, RentStatus);
CREATE INDEX Order_Details_ReturnDate ON Order_Details (ReturnDate, OrderIdx);
-- The copies still out are a handful against a history of a million lines: the overdue list
-- reads only them, from an index that holds nothing else.
CREATE INDEX Order_Details_Open ON Order_Details (EndDate) WHERE RentStatus = '0';

CREATE TABLE Order_Payment (
    InDate      TEXT,
    ModDate     TEXT,
    OrderIdx    TEXT NOT NULL,
    OrderID     TEXT,
    ItemID      TEXT,
    RenewIndex  INTEGER,
    PayType     TEXT,
    UnitRate    INTEGER,
    Quantity    INTEGER,
    Discount    REAL,
    ChargeAmt   INTEGER,
    StartDate   TEXT,
    EndDate     TEXT,
    SettleDate  TEXT,
    PayStatus   TEXT,
    PayDate     TEXT,
    ReceiptNum  TEXT
) STRICT;
-- The trailing columns let the period sums, the statistics and the ranking tables read the
-- charges from the indexes alone; a large shop has more charges than fit in memory.
CREATE INDEX Order_Payment_Line ON Order_Payment (OrderIdx, StartDate, RenewIndex, PayType, ItemID,
                                                  Quantity);
CREATE INDEX Order_Payment_Order ON Order_Payment (OrderID, OrderIdx, PayType, Quantity);
CREATE INDEX Order_Payment_Item ON Order_Payment (ItemID, Quantity);
CREATE INDEX Order_Payment_PayDate ON Order_Payment (PayDate, PayType, ItemID, Quantity, ChargeAmt,
                                                     OrderIdx);

-- Titles and copies are stored in key order: the summaries, rankings and reports look one up
-- for every charge they read, and a lookup by key is then one search instead of two.
CREATE TABLE Products (
    InDate               TEXT,
    ModDate              TEXT,
    ProductID            TEXT NOT NULL PRIMARY KEY,
    ProductName          TEXT,
    CategoryID           TEXT,
    SupplierID           TEXT,
    QuantityPerUnit      TEXT,
    QuantityDescription  TEXT,
    UnitCost             INTEGER,
    UnitPrice            INTEGER,
    UnitsInStock         INTEGER,
    UnitsOnOrder         INTEGER,
    ReorderLevel         INTEGER,
    Discontinued         TEXT,
    Remarks              TEXT
) STRICT, WITHOUT ROWID;
CREATE INDEX Products_ProductName ON Products (ProductName);
CREATE INDEX Products_CategoryID ON Products (CategoryID);

CREATE TABLE Items (
    InDate        TEXT,
    ModDate       TEXT,
    ItemID        TEXT NOT NULL PRIMARY KEY,
    PurchaseDate  TEXT,
    ProductID     TEXT,
    UnitCost      INTEGER,
    UnitPrice     INTEGER,
    RentTimes     INTEGER,
    LastRentDate  TEXT,
    Status        TEXT
) STRICT, WITHOUT ROWID;
CREATE INDEX Items_ProductID ON Items (ProductID);
CREATE INDEX Items_Status ON Items (Status);

CREATE TABLE Category (
    InDate        TEXT,
    ModDate       TEXT,
    CategoryID    TEXT NOT NULL PRIMARY KEY,
    Description   TEXT,
    RentUnitRate  INTEGER,
    RentUnitDays  INTEGER,
    OverDueRate   INTEGER,
    UnitPrice     INTEGER,
    PromoteQty    INTEGER,
    PromotePrice  INTEGER
) STRICT;

CREATE TABLE ItemStatus (
    ID    TEXT NOT NULL PRIMARY KEY,
    Name  TEXT
) STRICT;

CREATE TABLE PaymentType (
    ID    TEXT NOT NULL PRIMARY KEY,
    Name  TEXT
) STRICT;

CREATE TABLE OpCode (
    ModDate           TEXT,
    ID                TEXT NOT NULL PRIMARY KEY,
    AddItem           TEXT,
    FreeItem          TEXT,
    DeleteItem        TEXT,
    EditItem          TEXT,
    ReturnItem        TEXT,
    RenewItemCash     TEXT,
    RenewItemArrears  TEXT,
    BadItem           TEXT,
    SalesItem         TEXT
) STRICT;

CREATE TABLE SerialNo (
    OrderIdx   INTEGER,
    OrderID    INTEGER,
    ProductID  INTEGER,
    AdjustID   INTEGER
) STRICT;

CREATE TABLE Sales (
    InDate        TEXT,
    ModDate       TEXT,
    SaleDate      TEXT,
    RateID        TEXT,
    ItemID        TEXT,
    EmployeeID    TEXT,
    CustomerID    TEXT,
    Quantity      INTEGER,
    GrossAmt      INTEGER,
    SurChargeAmt  INTEGER,
    DiscountAmt   INTEGER,
    NetAmt        INTEGER,
    Remarks       TEXT
) STRICT;
CREATE INDEX Sales_SaleDate ON Sales (SaleDate);
CREATE INDEX Sales_CustomerID ON Sales (CustomerID);
CREATE INDEX Sales_RateID ON Sales (RateID);

CREATE TABLE AcctAdjust (
    InDate       TEXT,
    ModDate      TEXT,
    AdjustID     TEXT NOT NULL PRIMARY KEY,
    Description  TEXT,
    AdjustAmt    INTEGER,
    AdjustDate   TEXT,
    EmployeeID   TEXT,
    CreateDate   TEXT,
    OrderID      TEXT,
    ReceiptNum   TEXT
) STRICT;
CREATE INDEX AcctAdjust_Description ON AcctAdjust (Description);
CREATE INDEX AcctAdjust_AdjustDate ON AcctAdjust (AdjustDate);

CREATE TABLE RptDailyTx (
    RptDate         TEXT,
    RptEndDate      TEXT,
    RptMonthDate    TEXT,
    RentVTimes      INTEGER,
    RentDTimes      INTEGER,
    FreeTimes       INTEGER,
    RenewVTimes     INTEGER,
    RenewDTimes     INTEGER,
    SalesQty        INTEGER,
    ReturnVtimes    INTEGER,
    ReturnDtimes    INTEGER,
    OverdueVQty     INTEGER,
    OverdueDQty     INTEGER,
    BadQty          INTEGER,
    NewCustomerQty  INTEGER,
    RentAmt         INTEGER,
    RenewAmt        INTEGER,
    LateAmt         INTEGER,
    SalesAmt        INTEGER,
    AdjustAmt       INTEGER
) STRICT;

CREATE TABLE Cust_Temp (
    CustomerID  TEXT NOT NULL PRIMARY KEY,
    TotalTimes  INTEGER
) STRICT;

CREATE TABLE Item_Temp (
    ItemID      TEXT NOT NULL PRIMARY KEY,
    TotalTimes  INTEGER
) STRICT;

-- The shop's own name travels with its database file, so a restored copy keeps it.
CREATE TABLE ShopInfo (
    ShopName  TEXT NOT NULL
) STRICT;
