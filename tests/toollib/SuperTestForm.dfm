object SuperTestForm: TSuperTestForm
  Left = 40
  Top = 30
  Caption = 'Super'
  ClientHeight = 100
  ClientWidth = 150
  Position = poDesigned
  SizeMinTrack.Enabled = True
  SizeMinTrack.SizeX = 300
  SizeMinTrack.SizeY = 200
  Visible = True
  OnCreate = FormCreate
  OnShow = FormShow
end
