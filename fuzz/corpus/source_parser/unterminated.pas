0program P;
{ open comment
(* another
'open string
end.