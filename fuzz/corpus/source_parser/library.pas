2library L;

procedure X; begin end;

exports X;

begin
end.
