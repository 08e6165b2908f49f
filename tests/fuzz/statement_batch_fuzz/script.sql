create table •\ (a int);
insert into •\ values (1);

select * from •\;