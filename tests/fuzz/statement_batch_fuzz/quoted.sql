insert into ƒ\ values ('a;b');
go
-- ;
