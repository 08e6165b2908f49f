-- ŽÐˆõ‚Ìˆê——
select 1;
@SKELETON
select 2;
