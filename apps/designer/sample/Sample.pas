unit Sample;

interface

uses
  Forms, StdCtrls;

type
  TSampleForm = class(TForm)
    NameLabel: TLabel;
    NameEdit: TEdit;
    OkButton: TButton;
    CancelButton: TButton;
    procedure OkButtonClick(Sender: TObject);
  end;

var
  SampleForm: TSampleForm;

implementation

{$R *.DFM}

procedure TSampleForm.OkButtonClick(Sender: TObject);
begin
  Close;
end;

end.
