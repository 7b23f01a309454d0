<?php
require_once 'inc/functions.inc';

$title = 'Velmora Bakery';
$products = load_products();
?>
<!DOCTYPE html>
<html lang="en">
<head>
  <meta charset="utf-8">
  <title><?php echo htmlspecialchars($title); ?></title>
  <link rel="stylesheet" href="css/style.css">
  <script src="js/site.js" defer></script>
</head>
<body>
  <?php include 'inc/header.inc'; ?>
  <main>
    <h1>Fresh today</h1>
    <ul class="products">
      <?php foreach ($products as $product): ?>
        <li data-price="<?= $product['price'] ?>">
          <?= htmlspecialchars($product['name']) ?>
          <span class="price"><?= format_price($product['price']) ?></span>
        </li>
      <?php endforeach; ?>
    </ul>
    <p id="total">Choose a loaf to see the total.</p>
  </main>
  <!-- The contact page takes orders by mail. -->
  <footer><a href="contact.php">Contact us</a></footer>
</body>
</html>
