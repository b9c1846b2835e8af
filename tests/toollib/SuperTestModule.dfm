object SuperTestModule: TSuperTestModule
  OnCreate = ModuleCreate
  object Timer1: TTimer
    Enabled = False
  end
end
