<?php
require_once 'inc/functions.inc';

$sent = false;
$errors = [];

if ($_SERVER['REQUEST_METHOD'] === 'POST') {
    $name = trim($_POST['name'] ?? '');
    $message = trim($_POST['message'] ?? '');
    if ($name === '') {
        $errors[] = "Please tell us your name.";
    }
    if (strlen($message) < 10) {
        $errors[] = "Your message is a little short.";
    }
    $sent = count($errors) == 0;
}
?>
<!DOCTYPE html>
<html lang="en">
<head>
  <meta charset="utf-8">
  <title>Contact</title>
  <link rel="stylesheet" href="css/style.css">
  <style>
    /* The form sits in a narrow column. */
    form label { display: block; margin: 0.5em 0; }
    textarea { width: 100%; }
  </style>
  <script>
    // Keeps a visitor from sending an empty message.
    document.addEventListener('DOMContentLoaded', function () {
      var form = document.querySelector('form');
      if (form) form.addEventListener('submit', function (event) {
        if (form.message.value.trim().length < 10) { event.preventDefault(); }
      });
    });
  </script>
</head>
<body>
  <?php include 'inc/header.inc'; ?>
  <?php if ($sent): ?>
    <p class="notice">Thank you, <?= htmlspecialchars($name) ?>. We will answer soon.</p>
  <?php else: ?>
    <?php foreach ($errors as $error): ?>
      <p class="error"><?= htmlspecialchars($error) ?></p>
    <?php endforeach; ?>
    <form method="post" action="contact.php">
      <label>Name <input name="name" type="text"></label>
      <label>Message <textarea name="message" rows="5"></textarea></label>
      <button type="submit">Send</button>
    </form>
  <?php endif; ?>
</body>
</html>
