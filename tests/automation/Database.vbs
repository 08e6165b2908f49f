' The Database object against a sample database: the argument is
' "kind|connect argument|double-byte text|scratch folder".
On Error Resume Next
' A call that fails skips the whole statement it is in: its result goes through v, so
' that R still runs and reports the error.
Dim v
Dim d, args, kind, target, text, dir
args = Split(WScript.Arguments(1), "|")
kind = CLng(args(0)) : target = args(1) : text = args(2) : dir = args(3)
Set d = CreateObject("Vorn.Database")

R "Unconnected.Query", d.Query("select 1")
R "Unconnected.GetText", d.GetText()
R "Unconnected.Load", d.LoadSqlData("select 1")
R "Unconnected.Execute", d.Execute(dir & "\script.sql")
R "WrongDsn.empty", d.Connect(kind, "NoSuchDsn,sample,kestrova,kestrova") = ""
R "Connect", d.Connect(kind, target)
R "Drop", d.Query("drop table if exists vorn_rows")
R "Create", d.Query("create table vorn_rows (id int, name varchar(40))")
R "Insert.text", d.Query("insert into vorn_rows (id, name) values (1, '" & text & "')")
R "Insert.apostrophe", d.Query("insert into vorn_rows (id, name) values (2, 'it''s')")
R "Insert.null", d.Query("insert into vorn_rows (id, name) values (3, NULL)")
R "Stored", d.LoadSqlData("select char_length(name) as n, (select count(*) from vorn_rows where name is null) as nulls from vorn_rows where id = 1")
R "Update", d.Query("update vorn_rows set id = id where id = 0")
R "Query", d.Query("select id, name from vorn_rows order by id")
R "FieldCount", d.FieldCount
R "GetName.0", d.GetName(0)
R "GetName.1", d.GetName(1)
R "GetName.2", d.GetName(2)
R "GetName.text", d.GetName("id")
R "GetName.omitted", d.GetName()
R "Row1.byIndex", d.GetText(1)
R "Row1.omitted", d.GetText()
R "Row1.same", d.GetText("name") = text
R "Row1.byName", d.GetText("NAME")
R "Row1.missingField", d.GetText("nothing")
v = Empty : v = d.GetText(Null) : R "Row1.null", v
v = Empty : v = d.Connect("x", target) : R "Connect.badKind", v
R "Next1", d.Query()
R "Row2", d.GetText("name")
R "Next2", d.Query("")
R "Row3", d.GetText("name")
R "Row3.id", d.GetText("id")
R "Next3", d.Query()
R "AfterEnd", d.GetText("name")
R "AfterEnd.Next", d.Query()
R "Empty", d.Query("select id from vorn_rows where id < 0")
R "Empty.FieldCount", d.FieldCount
R "BadSql", d.Query("select nothing from no_such_table")
R "BadSql.GetText", d.GetText()
R "Load", d.LoadSqlData("select id, name from vorn_rows order by id")
R "Load.max1", d.LoadSqlData("select id, name from vorn_rows order by id", 1, True)
R "Load.maxLong", d.LoadSqlData("select id from vorn_rows order by id", 100000)
R "Load.maxText", d.LoadSqlData("select id from vorn_rows", "2")
R "Load.maxDouble", d.LoadSqlData("select id from vorn_rows", 2.5)
R "Load.badSql.prefix", Left(d.LoadSqlData("select nothing from no_such_table"), 6)
R "Load.badSql.length", Len(d.LoadSqlData("select nothing from no_such_table")) > 6
R "Execute", d.Execute(dir & "\script.sql", dir & "\script.log")
R "Execute.rows", d.LoadSqlData("select id, name from vorn_rows where id >= 10 order by id")
R "Execute.clean", d.Execute(dir & "\clean.sql")
R "Execute.missing", d.Execute(dir & "\absent.sql", dir & "\missing.log")
R "Execute.badLog", d.Execute(dir & "\script.sql", dir & "\no\such\folder\x.log")
d.CloseRecordset
R "Closed.FieldCount", d.FieldCount
R "Closed.GetName", d.GetName(0)
R "Closed.Next", d.Query()
R "Drop.end", d.Query("drop table vorn_rows")
d.DisConnect
R "DisConnected.Query", d.Query("select 1")
R "DisConnected.Load", d.LoadSqlData("select 1")
R "DisConnected.Execute", d.Execute(dir & "\clean.sql")
d.DisConnect
R "Unknown kind", d.Connect(9, target) = ""
results.Close
WScript.Quit 77
