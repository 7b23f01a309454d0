' A comment
REM another comment
Rem and one in mixed case
Dim total, name
Option Explicit
total = 10 * 2.5 + &HFF
name = "a ""quoted"" word"
If total > 5 And Not IsEmpty(name) Then
  Response.Write "big" & name ' trailing comment
ElseIf total = #1/1/2000# Then
  Call DoIt(total)
End If
Function DoIt(x) : DoIt = x Mod 3 : End Function
s = "unterminated
