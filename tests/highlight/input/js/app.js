// Cart: totals and a little DOM work.
/* A block comment
   over two lines */
'use strict';
var total = 0, rate = 0.2, hex = 0xFF, exp = 1.5e3;
function addItem(cart, item) {
  if (item.price > 0 && item.qty != null) {
    total += item.price * item.qty / 2;
  }
  var re = /ab+c/gi, half = total / 2 / rate;
  var s = "a \"quoted\" word", t = 'it\'s', u = `template ${total}`;
  return cart.push(item) === undefined ? null : this;
}
document.getElementById("cart").innerHTML = "<div class=\"x\"></div>";
switch (typeof total) { case "number": break; default: throw new Error('bad'); }
for (var i = 0; i < 10; i++) { do { continue; } while (false); }
var unterminated = "no end
/* left open at the end
