0unit Seed;

{$mode delphi}
interface

uses
  {$IFDEF UNIX} BaseUnix, {$ENDIF} SysUtils;

type
  TA = class(TObject)
    procedure P; // a method
  end;
  TR = record case Byte of 0: (A: Byte); 1: (B: Char); end;

implementation

(* the body *)
procedure TA.P;
begin
  S := GetString('It''s') + GetString(Name) + 'a'#13#10'b';
end;

begin
  X := GetString('Main');
end.
