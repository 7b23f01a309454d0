// Adds up the prices of the loaves the visitor clicks.
document.addEventListener('DOMContentLoaded', function () {
  var total = 0;
  var items = document.querySelectorAll('.products li');
  for (var i = 0; i < items.length; i++) {
    items[i].addEventListener('click', function () {
      var price = parseFloat(this.getAttribute('data-price'));
      this.classList.toggle('chosen');
      total += this.classList.contains('chosen') ? price : -price;
      document.getElementById('total').textContent = 'Total: ' + total.toFixed(2) + ' EUR';
    });
  }
});
